#pragma once
// The communication server for one Modbus RTU line. The component lives on the
// user-interface thread; the serial work runs on a thread of its own, and every answer
// comes back as a queued OnExchange, dispatched only while this thread processes events.
//
// The component keeps the ledger of requests it still owes an answer: a one-shot request
// leaves it with its answer or with its cancellation (Result 3), so neither a late answer
// from the line nor a cancelled one can make a second OnExchange.
#include "link/MBComMaster.h"

#include <QHash>
#include <QThread>

namespace comm {

namespace rtu {
class RtuWorker;
struct Answer;
}

class RtuComMaster : public MBComMaster {
    Q_OBJECT
public:
    explicit RtuComMaster(QObject* parent = nullptr);
    ~RtuComMaster() override;

    bool attach() override;
    bool isAttached() const override { return m_worker != nullptr; }

    bool Connected() const override { return m_connected; }
    void setConnected(bool on) override;
    void setInterByte(int tenthsOfMs) override;

    void FreeTask(int qid) override;
    void FreeAllTasks() override;

protected:
    void submit(const Request& r) override;

private:
    struct Owed {
        Request request;
        bool periodic() const { return request.period > 0; }
    };

    void onAnswered(quint64 task, const rtu::Answer& answer);
    void onConnectedChanged(bool connected);
    // Cancels the given tasks; the one-shots among them get their Result 3.
    void cancel(const QList<quint64>& tasks);
    void answerLater(const Request& r, int result);

    QThread m_thread;
    rtu::RtuWorker* m_worker = nullptr;
    QHash<quint64, Owed> m_owed;
    quint64 m_nextTask = 1;
    bool m_connected = false;
};

}  // namespace comm
