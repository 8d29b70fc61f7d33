#pragma once
// What every bench module has: common holding registers 0 (Modbus address), 1 (speed code)
// and 2 (RTS delay), and a device name. The module listens at the speed its code names; a
// write to the speed code takes effect after the answer to it has gone out at the old speed.
#include "sim/Device.h"

namespace sim {

class BenchModule : public Device {
public:
    // Speed codes 0..4: 1200, 2400, 4800, 9600, 19200 baud.
    static constexpr int HighestSpeedCode = 4;
    static int baudOfSpeedCode(int code);
    // The code of a line speed; -1 for a speed the modules cannot take.
    static int speedCodeOfBaud(int baud);

    QByteArray name() const override { return m_name; }
    int lineBaud() const override;
    void setSpeedCode(int code);
    void setAddress(int address) override;
    int refuseWrite(int reg, quint16 value) const override;
    void holdingWritten(int reg) override;

protected:
    BenchModule(const char* name, int address, Clock::time_point now);

private:
    QByteArray m_name;
    int m_factoryAddress;
};

}  // namespace sim
