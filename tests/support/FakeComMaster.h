#pragma once
// A communication server for tests of the logic: it records what the program asks for and
// answers only when the test says so, always from the event loop as the real one does.
#include "link/MBComMaster.h"

#include <QCoreApplication>
#include <QList>

namespace test {

class FakeComMaster : public comm::MBComMaster {
    Q_OBJECT
public:
    using MBComMaster::MBComMaster;

    bool attach() override { ++attachCalls; return attachable; }
    bool isAttached() const override { return attachable; }
    bool Connected() const override { return m_connected; }
    void setConnected(bool on) override { connectedRequests.append(on); }
    void FreeTask(int qid) override { freed.append(qid); }
    void FreeAllTasks() override { ++freeAllCalls; }
    void FreePeriodicTasks() override { ++freePeriodicCalls; }

    // The port opened or closed (the server's connection event).
    void reportConnected(bool on)
    {
        m_connected = on;
        Q_EMIT OnChangeConnected(on);
    }
    // Delivers an answer as the server would; from the event loop unless now is true.
    void answer(int qid, const QVariant& value, int result = 0, int mbAddr = -1, bool now = false)
    {
        const int addr = mbAddr < 0 ? DeviceAddres() : mbAddr;
        auto deliver = [=, this] { Q_EMIT OnExchange(qid, addr, 0, value, result); };
        if (now)
            deliver();
        else
            QMetaObject::invokeMethod(this, deliver, Qt::QueuedConnection);
    }
    // Answers every request submitted from now on with what the responder returns, until
    // it is cleared; return false from it to leave a request unanswered.
    std::function<bool(const comm::Request&, QVariant* value, int* result)> responder;

    QList<comm::Request> requests;
    QList<bool> connectedRequests;
    QList<int> freed;
    int freeAllCalls = 0;
    int freePeriodicCalls = 0;
    int attachCalls = 0;
    bool attachable = true;

    int count(int qid) const
    {
        int n = 0;
        for (const auto& r : requests)
            n += r.qid == qid;
        return n;
    }
    const comm::Request* last(int qid) const
    {
        for (auto it = requests.crbegin(); it != requests.crend(); ++it)
            if (it->qid == qid)
                return &*it;
        return nullptr;
    }

protected:
    void submit(const comm::Request& r) override
    {
        requests.append(r);
        QVariant value;
        int result = 0;
        if (responder && responder(r, &value, &result))
            answer(r.qid, value, result, r.address);
    }

private:
    bool m_connected = false;
};

}  // namespace test
