#pragma once
// The simulated bench and meter served on two pseudo-terminal lines speaking Modbus RTU, the
// bench line with the three modules, the meter line with one meter. The lines run on a thread
// of their own; every member may be called from any thread.
#include "sim/Options.h"

#include <QString>
#include <QtGlobal>

#include <memory>

namespace sim {

class Equipment;

class Simulator {
public:
    explicit Simulator(Options options = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Creates both lines and starts serving; false with a reason when it cannot.
    bool start(QString* error = nullptr);
    void stop();

    // The stable names of the lines, to be opened like serial ports.
    QString benchPort() const;
    QString meterPort() const;

    // The devices behind the lines, for the controls below and any other.
    Equipment& equipment();

    void setFault(Module m, const FaultSpec& f);
    void setWireTime(bool on, int baud);
    // Moves a module to another address; 0 takes it off the line.
    void setAddress(Module m, int address);
    // Closes a line's pseudo-terminal as if its adapter were unplugged.
    void dropLine(Module anyModuleOnTheLine);

    // Register access for tests and for the command line. The setters act like the master's
    // writes (a command written to a command register is carried out) but skip the range checks.
    quint16 holding(Module m, int reg) const;
    void setHolding(Module m, int reg, quint16 value);
    quint16 input(Module m, int reg) const;
    void setInput(Module m, int reg, quint16 value);
    bool coil(Module m, int coil) const;
    void setCoil(Module m, int coil, bool value);
    // Requests each module has answered (or refused), for tests that count traffic.
    int requestCount(Module m) const;

    // Gives a dropped line a new pseudo-terminal under the same stable name, as if the adapter
    // were plugged in again; false with a reason when it cannot.
    bool restoreLine(Module anyModuleOnTheLine, QString* error = nullptr);
    // A non-zero automaton error of the imitation module: shown in its error register, and every
    // command that can fail ends with its failure result. 0 restores normal work.
    void setImrError(int error);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace sim
