#pragma once
// One Modbus slave on a line: its address, its name for Report Server ID, its registers, and
// how it reacts when the master writes. Time is advanced from outside before each access, so
// a device never needs a timer of its own.
#include "sim/RegisterMap.h"

#include <QByteArray>

#include <chrono>

namespace sim {

using Clock = std::chrono::steady_clock;

class Device {
public:
    virtual ~Device() = default;

    int address() const { return m_address; }
    virtual void setAddress(int address) { m_address = address; }

    // UTF-8 text answered to Report Server ID.
    virtual QByteArray name() const = 0;
    // The line speed the device listens at; 0: any.
    virtual int lineBaud() const { return 0; }

    RegisterMap& registers() { return m_registers; }
    const RegisterMap& registers() const { return m_registers; }

    // Checked before a master's write is stored: 0 accepts, anything else is the exception code.
    virtual int refuseWrite(int reg, quint16 value) const { return 0; }
    // Called after a master's write has been stored.
    virtual void holdingWritten(int reg) {}
    virtual void coilWritten(int coil) {}

    void advanceTo(Clock::time_point now)
    {
        if (now > m_now) {
            const Clock::time_point before = m_now;
            m_now = now;
            elapse(before);
        }
    }

protected:
    explicit Device(int address, Clock::time_point now) : m_address(address), m_now(now) {}
    Clock::time_point now() const { return m_now; }
    // Lets the device's own processes run from `before` up to now().
    virtual void elapse(Clock::time_point before) {}

private:
    int m_address;
    Clock::time_point m_now;
    RegisterMap m_registers;
};

}  // namespace sim
