#pragma once
// What every bench module has: common holding registers 0 (Modbus address), 1 (speed code)
// and 2 (RTS delay), and a device name.
#include "sim/Device.h"

namespace sim {

class BenchModule : public Device {
public:
    QByteArray name() const override { return m_name; }
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
