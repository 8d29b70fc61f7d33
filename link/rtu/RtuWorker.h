#pragma once
// The server's side of a line, on the server's thread: a queue of requests fed to the
// line one at a time, the repetition of periodic tasks, cancellation, and the Result 3
// answers owed when the port closes or is lost.
//
// Every request handed in is answered exactly once through answered() (a periodic task
// once per repetition) unless it is cancelled first. Each answer also makes one
// ExchangeRecord: traced in the line's category at debug level, and sent to exchanged().
//
// One-shot requests go before queued periodic repetitions: a workflow waits for them, a
// periodic reading only shifts by a frame. After a one-shot answer the periodic repetitions
// hold back for a moment, so that a workflow's next waited step is not queued behind one.
#include "link/ExchangeRecord.h"
#include "link/Request.h"
#include "link/rtu/Answer.h"
#include "link/rtu/PortSettings.h"
#include "link/rtu/RtuLine.h"

#include <QElapsedTimer>
#include <QObject>
#include <QQueue>
#include <QTimer>

#include <map>
#include <memory>
#include <optional>

namespace comm::rtu {

class RtuWorker : public QObject {
    Q_OBJECT
public:
    explicit RtuWorker(const QLoggingCategory& trace, QObject* parent = nullptr);

    void open(const PortSettings& settings);
    void close();
    void setInterFrameDelay(int microseconds);

    // task: the component's number for the request, unique for the worker's lifetime.
    void submit(quint64 task, const Request& r);
    // Forgets the tasks without answering them; a periodic task stops repeating.
    void cancel(const QList<quint64>& tasks);

Q_SIGNALS:
    // problem: why the port is closed without being asked to (did not open, vanished).
    void connectedChanged(bool connected, const QString& problem);
    void answered(quint64 task, const comm::rtu::Answer& answer);
    void exchanged(const comm::ExchangeRecord& record);

private:
    struct Job {
        quint64 task;
        Request request;
    };
    // A periodic task; at most one of its repetitions waits in the queue or on the line,
    // so a slow line makes it skip beats instead of piling them up.
    struct Repeat {
        Request request;
        QTimer timer;
        bool outstanding = false;
    };

    // How long periodic repetitions hold back after a one-shot answer: the time the answer
    // takes to reach the workflow and its next request to come back.
    static constexpr int OneShotGraceMs = 3;

    void enqueue(const Job& job);
    void startNext();
    // pdus: null when the request never went out.
    void complete(const Job& job, const Answer& answer, const Pdus* pdus = nullptr);
    void record(const Job& job, const Answer& answer, const Pdus* pdus);
    void onLineFinished(const Answer& answer, const Pdus& pdus);
    void onLineLost(const QString& problem);
    void failOutstanding();

    const QLoggingCategory& m_trace;
    RtuLine m_line;
    QQueue<Job> m_queue;
    std::optional<Job> m_current;  // the job on the line
    QElapsedTimer m_onLine;        // since the current job went out
    QTimer m_grace{this};          // runs while periodic repetitions hold back
    std::map<quint64, std::unique_ptr<Repeat>> m_repeats;
};

}  // namespace comm::rtu
