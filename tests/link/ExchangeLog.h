#pragma once
// Records every answer and connection event of one server component.
#include "link/MBComMaster.h"

#include <QElapsedTimer>
#include <QList>
#include <QTest>

namespace test {

struct Exchange {
    int qid;
    int mbAddr;
    int function;
    QVariant value;
    int result;
    qint64 atMs;  // since the log was started
};

class ExchangeLog {
public:
    explicit ExchangeLog(comm::MBComMaster& m)
    {
        clock.start();
        QObject::connect(&m, &comm::MBComMaster::OnExchange, &m, [this](int qid, int addr, int fun, const QVariant& v, int result) {
            exchanges.append(Exchange{qid, addr, fun, v, result, clock.elapsed()});
        });
        QObject::connect(&m, &comm::MBComMaster::OnChangeConnected, &m, [this](bool on) { connection.append(on); });
    }

    int count(int qid) const
    {
        return int(std::count_if(exchanges.cbegin(), exchanges.cend(), [qid](const Exchange& e) { return e.qid == qid; }));
    }
    // Pumps events until qid has n answers; false when they do not come within timeoutMs.
    bool waitFor(int qid, int n = 1, int timeoutMs = 5000) const
    {
        return QTest::qWaitFor([&] { return count(qid) >= n; }, timeoutMs);
    }
    const Exchange& last(int qid) const
    {
        for (auto it = exchanges.crbegin(); it != exchanges.crend(); ++it)
            if (it->qid == qid)
                return *it;
        qFatal("no answer to QID %d", qid);
    }
    bool waitConnection(bool on, int timeoutMs = 3000) const
    {
        return QTest::qWaitFor([&] { return !connection.isEmpty() && connection.last() == on; }, timeoutMs);
    }

    QElapsedTimer clock;
    QList<Exchange> exchanges;
    QList<bool> connection;
};

}  // namespace test
