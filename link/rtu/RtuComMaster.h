#pragma once
// The communication server for one Modbus RTU line. The component lives on the
// user-interface thread; the serial work runs on a thread of its own, and every answer
// comes back as a queued OnExchange, dispatched only while this thread processes events.
//
// Every finished exchange is traced in the line's logging category (LineTrace.h) and, while
// someone is connected to exchanged(), sent as an ExchangeRecord.
//
// The component keeps the ledger of requests it still owes an answer: a one-shot request
// leaves it with its answer or with its cancellation (Result 3), so neither a late answer
// from the line nor a cancelled one can make a second OnExchange.
#include "link/ExchangeRecord.h"
#include "link/MBComMaster.h"

#include <QHash>
#include <QThread>

class QLoggingCategory;

namespace comm {

namespace rtu {
class RtuWorker;
struct Answer;
}

class RtuComMaster : public MBComMaster {
    Q_OBJECT
public:
    // line: "bench" or "meter", which names the trace's category.
    explicit RtuComMaster(const char* line = nullptr, QObject* parent = nullptr);
    ~RtuComMaster() override;

    bool attach() override;
    bool isAttached() const override { return m_worker != nullptr; }

    bool Connected() const override { return m_connected; }
    void setConnected(bool on) override;
    void setInterByte(int tenthsOfMs) override;

    void FreeTask(int qid) override;
    void FreeAllTasks() override;
    void FreePeriodicTasks() override;
    // The tasks of a request number still owed answers, periodic ones included: none means
    // nothing more of it will be delivered.
    int owes(int qid) const;

protected:
    void submit(const Request& r) override;
    // The worker's records cross threads only while someone listens.
    void recordingChanged(bool on) override;

private:
    struct Owed {
        Request request;
        bool periodic() const { return request.period > 0; }
    };

    void onAnswered(quint64 task, const rtu::Answer& answer);
    void onConnectedChanged(bool connected, const QString& problem);
    // Cancels the given tasks; the one-shots among them get their Result 3.
    void cancel(const QList<quint64>& tasks);
    void answerLater(const Request& r, int result);
    void forwardRecords(bool on);

    QThread m_thread;
    const QLoggingCategory& m_trace;
    rtu::RtuWorker* m_worker = nullptr;
    QMetaObject::Connection m_records;
    QHash<quint64, Owed> m_owed;
    quint64 m_nextTask = 1;
    bool m_connected = false;
};

}  // namespace comm
