#pragma once
// The program's time: how long a workflow waits, when it gives up on an answer. A workflow's
// waits go through the clock in its context rather than the wall clock or a QTimer of its own,
// so a test can put in a clock it drives and run an hour's verification in moments. (The
// windows' own tick timers, ui::Timer, stay on real time: tests tick them by hand.)
#include <QtGlobal>

#include <functional>
#include <memory>

namespace comm {

// A single-shot timer on a clock. Its owner destroys it to forget it; it never fires after.
class Alarm {
public:
    virtual ~Alarm() = default;
    // (Re)starts it: it fires once, `ms` from now on its clock, from the owner's event loop.
    virtual void start(int ms) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic scale; only differences mean something.
    virtual qint64 nowMs() const = 0;
    // A stopped alarm that calls `fired` when it goes off.
    virtual std::unique_ptr<Alarm> alarm(std::function<void()> fired) = 0;
};

// Real time: the steady clock and QTimer. The one instance the program runs on.
Clock& steadyClock();

// A fixed pause that keeps the window alive: events are processed while it lasts.
void pause(Clock& clock, int ms);

}  // namespace comm
