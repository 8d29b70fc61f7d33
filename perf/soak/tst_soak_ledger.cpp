// The soak's verdict rests on the ledger: each request lands in exactly one class, and a second
// or a late answer is never taken for a good one.
#include "Ledger.h"

#include <QTest>

using perf::Ledger;

namespace {
constexpr qint64 Ms = 1000000;
constexpr qint64 HungAfter = 100 * Ms;
}  // namespace

class TestSoakLedger : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void classes_data()
    {
        QTest::addColumn<bool>("sent");
        QTest::addColumn<QList<int>>("answersAtMs");  // after the request was sent
        QTest::addColumn<QString>("expected");
        QTest::newRow("one answer in time") << true << QList<int>{5} << "once";
        QTest::newRow("one answer at the limit") << true << QList<int>{100} << "once";
        QTest::newRow("no answer") << true << QList<int>{} << "lost";
        QTest::newRow("never sent") << false << QList<int>{} << "lost";
        QTest::newRow("two answers") << true << QList<int>{5, 6} << "dup";
        QTest::newRow("late, then again") << true << QList<int>{150, 151} << "dup";
        QTest::newRow("one late answer") << true << QList<int>{101} << "hung";
    }
    void classes()
    {
        QFETCH(bool, sent);
        QFETCH(QList<int>, answersAtMs);
        QFETCH(QString, expected);
        constexpr qint64 SentAt = 1000 * Ms;
        Ledger ledger(3);
        // Neighbours answered once each, so that a miscount between records shows.
        for (int qid : {1, 3}) {
            ledger.sent(qid, SentAt);
            QVERIFY(ledger.answered(qid, SentAt + Ms, 0));
        }
        if (sent)
            ledger.sent(2, SentAt);
        for (int at : answersAtMs)
            ledger.answered(2, SentAt + at * Ms, 1);
        const Ledger::Tally t = ledger.tally(HungAfter);
        const QMap<QString, int> got{{"once", t.once - 2}, {"lost", t.lost}, {"dup", t.dup}, {"hung", t.hung}};
        for (auto it = got.cbegin(); it != got.cend(); ++it)
            QCOMPARE(it.value(), it.key() == expected ? 1 : 0);
        QCOMPARE(ledger.strays(), sent ? 0 : int(answersAtMs.size()));
    }

    // Only a request's first answer counts among the results; answers to numbers never handed
    // out are strays and touch no request.
    void firstAnswersAndStrays()
    {
        Ledger ledger(2);
        ledger.sent(1, 0);
        QVERIFY(ledger.answered(1, 3 * Ms, 0));
        QVERIFY(!ledger.answered(1, 4 * Ms, 3));
        QVERIFY(!ledger.answered(0, 5 * Ms, 0));
        QVERIFY(!ledger.answered(2, 5 * Ms, 0));  // not sent yet
        QVERIFY(!ledger.answered(3, 5 * Ms, 0));
        QCOMPARE(ledger.strays(), 3);
        QCOMPARE(ledger.firstAnswers(), 1);
        QCOMPARE(ledger.results()[0], 1);
        QCOMPARE(ledger.results()[3], 0);
        QCOMPARE(ledger.slowestNs(), 3 * Ms);
        const Ledger::Tally t = ledger.tally(HungAfter);
        QCOMPARE(t.dup, 1);
        QCOMPARE(t.lost, 1);
    }
};

QTEST_GUILESS_MAIN(TestSoakLedger)
#include "tst_soak_ledger.moc"
