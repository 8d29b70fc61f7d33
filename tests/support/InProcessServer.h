#pragma once
// The communication server for workflow tests: the simulated equipment answers in the same
// process, without pseudo-terminals or threads. Each request becomes the RTU frame the real
// server would send, the equipment's line answers it, and the answer is decoded into the value
// and Result the real server would report - from the event loop, never inside the call that
// submitted the request. Two servers (bench line, meter line) share one Equipment.
//
// It keeps the real server's guarantees (see MBComMaster): one OnExchange per one-shot request,
// cancelled ones included (Result 3); periodic tasks until freed; Result 0 for a broadcast;
// Result 3 while the port is closed. Requests are served one at a time, in order. While someone
// listens to exchanged(), each served or failed request is also described there, with the
// frames that went to the equipment and came back.
//
// Its waits (the latency, the equipment's answer delays, the periods) run on a clock: real time
// by default, or a test's VirtualClock, which must not move on while hasPostedAnswers() holds.
#include "link/Clock.h"
#include "link/MBComMaster.h"
#include "link/rtu/Answer.h"
#include "sim/Options.h"

#include <QHash>
#include <QQueue>

#include <map>
#include <memory>
#include <optional>

namespace sim {
class Equipment;
}

namespace test {

class ResponseDecoder;

class InProcessServer : public comm::MBComMaster {
    Q_OBJECT
public:
    InProcessServer(sim::Equipment& equipment, sim::LineKind line, comm::Clock& clock = comm::steadyClock());
    ~InProcessServer() override;

    sim::Equipment& equipment() { return m_equipment; }
    sim::LineKind line() const { return m_line; }

    // How long each answer takes beyond the equipment's own delay; 0 (the default): the next
    // pass of the event loop. A device that does not answer reports its time-out at once.
    void setLatency(int ms) { m_latencyMs = ms; }
    // The port vanishes as if its adapter were unplugged: outstanding requests end with Result 3
    // and the server reports the port closed.
    void dropLine();
    // The tasks of a request number still owed answers, periodic ones included: 0 shows that
    // nothing more of it will come.
    int owes(int qid) const;
    // Answers and connection reports handed to the event loop and not yet delivered.
    bool hasPostedAnswers() const { return m_posted > 0; }

    bool attach() override;
    bool isAttached() const override { return m_attached; }
    bool Connected() const override { return m_connected; }
    void setConnected(bool on) override;
    void FreeTask(int qid) override;
    void FreeAllTasks() override;
    void FreePeriodicTasks() override;

protected:
    void submit(const comm::Request& r) override;
    // Runs `deliver` from the event loop, counted in hasPostedAnswers() until then.
    void post(std::function<void()> deliver);

private:
    struct Job {
        quint64 task;
        comm::Request request;
    };
    // A periodic task: at most one of its repetitions waits or is served at a time.
    struct Repeat {
        comm::Request request;
        std::unique_ptr<comm::Alarm> alarm;
        bool outstanding = false;
    };

    void enqueue(const Job& job);
    void startNext();
    void serveCurrent();
    void finishCurrent(const comm::rtu::Answer& answer);
    comm::rtu::Answer exchange(const comm::Request& r, qint64* answerDelayUs);
    void failOutstanding();
    // Describes the exchange to the listeners of exchanged(), if any.
    void record(const comm::Request& r, const comm::rtu::Answer& answer);
    void closePort();
    void cancel(const QList<quint64>& tasks);
    // Delivers the answer of a task from the event loop, if the task is still owed one then.
    void completeLater(quint64 task, const comm::rtu::Answer& answer);
    void deliver(quint64 task, const comm::rtu::Answer& answer);
    // An answer owed without a task: not attached, or cancelled.
    void answerLater(const comm::Request& r, int result);
    void reportConnectedLater(bool connected);

    sim::Equipment& m_equipment;
    comm::Clock& m_clock;
    std::unique_ptr<ResponseDecoder> m_decoder;
    const sim::LineKind m_line;
    int m_latencyMs = 0;
    bool m_attached = false;
    bool m_open = false;        // the port as the serving side sees it
    bool m_connected = false;   // as reported to the program
    QHash<quint64, comm::Request> m_owed;
    quint64 m_nextTask = 1;
    QQueue<Job> m_queue;
    std::optional<Job> m_current;
    std::unique_ptr<comm::Alarm> m_step;  // serves the current job, then delivers its answer
    int m_posted = 0;
    std::optional<comm::rtu::Answer> m_ready;  // the current job's answer, waiting for its time
    comm::ExchangeRecord m_frames;  // the current job's PDUs and answer time, for its record
    std::map<quint64, std::unique_ptr<Repeat>> m_repeats;
};

}  // namespace test
