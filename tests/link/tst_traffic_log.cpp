// The traffic log: a ring that keeps the newest entries in order and drops the oldest past
// its bound, the numbering a view uses to find what it has not shown, and the filter.
#include "link/TrafficLog.h"

#include <QTest>

using comm::TrafficEntry;
using comm::TrafficLog;

namespace {

comm::ExchangeRecord recordOf(int qid, int address = 1)
{
    comm::ExchangeRecord r;
    r.qid = qid;
    r.address = address;
    return r;
}

// The QIDs of the kept entries, oldest first.
QList<int> qids(const TrafficLog& log)
{
    QList<int> out;
    for (int i = 0; i < log.size(); ++i)
        out.append(log.at(i).record.qid);
    return out;
}

// A log of the given capacity with entries of QIDs 1..added.
TrafficLog filled(int capacity, int added)
{
    TrafficLog log(capacity);
    for (int qid = 1; qid <= added; ++qid)
        log.add(QStringLiteral("ЗТА"), recordOf(qid));
    return log;
}

}  // namespace

class tst_TrafficLog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keepsTheNewestInOrder_data()
    {
        QTest::addColumn<int>("added");
        QTest::addColumn<QList<int>>("kept");
        QTest::newRow("empty") << 0 << QList<int>{};
        QTest::newRow("below the bound") << 2 << QList<int>{1, 2};
        QTest::newRow("at the bound") << 3 << QList<int>{1, 2, 3};
        QTest::newRow("one past") << 4 << QList<int>{2, 3, 4};
        QTest::newRow("twice round and more") << 8 << QList<int>{6, 7, 8};
    }
    void keepsTheNewestInOrder()
    {
        QFETCH(int, added);
        QFETCH(QList<int>, kept);
        const TrafficLog log = filled(3, added);
        QCOMPARE(qids(log), kept);
        QCOMPARE(log.added(), quint64(added));
    }

    // A view that has handled the entries numbered below n starts at since(n); entries it
    // never saw because the ring dropped them are simply gone.
    void sinceFindsWhatAViewHasNotSeen_data()
    {
        QTest::addColumn<int>("added");
        QTest::addColumn<int>("seen");
        QTest::addColumn<QList<int>>("unseen");
        QTest::newRow("nothing seen") << 2 << 0 << QList<int>{1, 2};
        QTest::newRow("all seen") << 2 << 2 << QList<int>{};
        QTest::newRow("some seen, ring full") << 5 << 3 << QList<int>{4, 5};
        QTest::newRow("seen ones dropped") << 8 << 2 << QList<int>{6, 7, 8};
        QTest::newRow("view ahead") << 2 << 5 << QList<int>{};
    }
    void sinceFindsWhatAViewHasNotSeen()
    {
        QFETCH(int, added);
        QFETCH(int, seen);
        QFETCH(QList<int>, unseen);
        const TrafficLog log = filled(3, added);
        QList<int> got;
        for (int i = log.since(quint64(seen)); i < log.size(); ++i)
            got.append(log.at(i).record.qid);
        QCOMPARE(got, unseen);
    }

    // Cleared, the log is empty but keeps counting, so a view's number stays valid.
    void clearKeepsTheNumbering()
    {
        TrafficLog log = filled(3, 5);
        log.clear();
        QCOMPARE(log.size(), 0);
        QCOMPARE(log.since(5), 0);
        log.add(QStringLiteral("ЗТА"), recordOf(6));
        log.add(QStringLiteral("ЗТА"), recordOf(7));
        QCOMPARE(qids(log), (QList<int>{6, 7}));
        QCOMPARE(log.since(6), 1);
        QCOMPARE(log.added(), quint64(7));
    }

    void filterByLineAndAddress_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("address");  // -1: every address
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("everything") << QString() << -1 << QList<int>{1, 2, 3, 4};
        QTest::newRow("bench line") << QStringLiteral("ЗТА") << -1 << QList<int>{1, 2};
        QTest::newRow("meter line") << QStringLiteral("Расходомер") << -1 << QList<int>{3, 4};
        QTest::newRow("address 2, both lines") << QString() << 2 << QList<int>{2, 4};
        QTest::newRow("bench line, address 1") << QStringLiteral("ЗТА") << 1 << QList<int>{1};
        QTest::newRow("broadcast address") << QString() << 0 << QList<int>{};
        QTest::newRow("address nobody has") << QStringLiteral("Расходомер") << 9 << QList<int>{};
    }
    void filterByLineAndAddress()
    {
        QFETCH(QString, line);
        QFETCH(int, address);
        QFETCH(QList<int>, shown);
        const QList<TrafficEntry> entries{{QStringLiteral("ЗТА"), recordOf(1, 1)},
                                          {QStringLiteral("ЗТА"), recordOf(2, 2)},
                                          {QStringLiteral("Расходомер"), recordOf(3, 1)},
                                          {QStringLiteral("Расходомер"), recordOf(4, 2)}};
        comm::TrafficFilter filter;
        filter.line = line;
        if (address >= 0)
            filter.address = address;
        QList<int> got;
        for (const TrafficEntry& e : entries)
            if (filter.accepts(e))
                got.append(e.record.qid);
        QCOMPARE(got, shown);
    }
};

QTEST_GUILESS_MAIN(tst_TrafficLog)
#include "tst_traffic_log.moc"
