#pragma once
// The simulated bench and meter without any transport: the devices, the two lines' frame
// responders, the wire settings, and the controls tests and the command line use. A transport
// (pseudo-terminals, or a test's in-process server) hands it request frames and delivers the
// answers. Every member may be called from any thread.
//
// Its devices live on the time of a time source: the steady clock by default, or a clock a
// test drives, so an hour of imitation can pass in an instant.
#include "sim/Bench.h"
#include "sim/LineResponder.h"
#include "sim/Options.h"

#include <QByteArray>

#include <functional>

#include <mutex>
#include <optional>

namespace sim {

class Equipment {
public:
    using TimeSource = std::function<Clock::time_point()>;

    explicit Equipment(Options options = {}, TimeSource now = &Clock::now);
    Equipment(const Equipment&) = delete;
    Equipment& operator=(const Equipment&) = delete;

    const Options& options() const { return m_options; }
    // False when the options ask for a meter type the simulator does not play (it then plays type 0).
    bool playsMeterType() const { return m_playsMeterType; }

    // The answer of the line's devices to one request frame (address to CRC), with the time
    // after the request when it is due; nothing when no device answers (also for a broadcast).
    // `lineBaud` is the speed the master sent at; 0 when the transport cannot tell, and then the
    // options' lineSpeed stands in for it.
    std::optional<Reply> respond(LineKind line, const QByteArray& frame, int lineBaud = 0);

    void setFault(Module m, const FaultSpec& f);
    void setWireTime(bool on, int baud);
    // Moves a module to another address; 0 takes it off the line.
    void setAddress(Module m, int address);

    // Register access. The setters act like the master's writes (a command written to a command
    // register is carried out) but skip the range checks.
    quint16 holding(Module m, int reg);
    void setHolding(Module m, int reg, quint16 value);
    quint16 input(Module m, int reg);
    void setInput(Module m, int reg, quint16 value);
    bool coil(Module m, int coil);
    void setCoil(Module m, int coil, bool value);
    // Requests each module has answered (or refused), for tests that count traffic.
    int requestCount(Module m) const;
    // A non-zero automaton error of the imitation module: shown in its error register, and every
    // command that can fail ends with its failure result. 0 restores normal work.
    void setImrError(int error);

private:
    // The device with time brought up to now; call with the mutex held.
    Device& current(Module m);
    LineResponder& responder(LineKind line) { return line == LineKind::Meter ? m_meterLine : m_benchLine; }
    const LineResponder& responder(LineKind line) const { return line == LineKind::Meter ? m_meterLine : m_benchLine; }

    const Options m_options;
    const TimeSource m_now;
    const bool m_playsMeterType;
    mutable std::mutex m_mutex;
    Bench m_bench;
    LineResponder m_benchLine;
    LineResponder m_meterLine;
    WireSettings m_wire;
};

}  // namespace sim
