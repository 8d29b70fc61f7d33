// Finding the bench modules with "Проверка связи" and choosing one in the module grid.
#include "../support/MainFixture.h"

#include "link/Result.h"

#include <QTest>

namespace {

struct NameAnswer {
    int address;
    QString name;
    int result = 0;
};
using NameAnswers = QList<NameAnswer>;
using Addresses = QList<int>;  // ИМР, УСИ, ИПТ in grid order

const QStringList kLinkTexts{"ТЕРВАЛО ЗТА ИМР 64.08.02.00", "ТЕРВАЛО ЗТА УСИ 64.09.02.00",
                             "ТЕРВАЛО ЗТА ИПТ 64.10.01.01"};
const QStringList kSoftwareIds{"0x8C04", "0x26A0", "0x86E8"};
const QStringList kIniKeys{"IMR", "USI", "IPT"};

// The window with the given addresses stored from an earlier search and the bench line up.
struct Bench : test::MainFixture {
    explicit Bench(const Addresses& stored = {0, 0, 0})
        : MainFixture([&](settings::IniFile& ini) {
              for (int i = 0; i < 3; ++i)
                  ini.writeInteger("ZTA Address", kIniKeys[i], stored[i]);
          })
    {
        bench->reportConnected(true);
    }
    const bench::TPZTA& module(int row) const
    {
        const bench::TPZTA* all[] = {&main->ctx.modules.ImrModule, &main->ctx.modules.UsiModule, &main->ctx.modules.IptModule};
        return *all[row - 1];
    }
    Addresses storedAddresses() const
    {
        Addresses a;
        for (const QString& key : kIniKeys)
            a.append(ini().readInteger("ZTA Address", key, -1));
        return a;
    }
    // Answers the requests of the latest pass: the given answers to addresses it asked, in
    // their order, then othersResult for every other address it asked.
    void answerPass(const NameAnswers& answers, int othersResult = comm::ResultNoAnswer)
    {
        const QList<comm::Request> asked = bench->requests.mid(m_answered);
        m_answered = int(bench->requests.size());
        QSet<int> pending;
        for (const comm::Request& r : asked)
            pending.insert(r.address);
        for (const NameAnswer& a : answers)
            if (pending.remove(a.address))
                bench->answer(17, a.name, a.result, a.address, true);
        for (const comm::Request& r : asked)
            if (pending.remove(r.address))
                bench->answer(17, QVariant(), othersResult, r.address, true);
    }
    // A whole search on a bench that answers each pass alike.
    void answer(const NameAnswers& answers, int othersResult = comm::ResultNoAnswer)
    {
        answerPass(answers, othersResult);
        if (bench->requests.size() > m_answered)
            answerPass(answers, othersResult);
    }
    // The addresses each request from the given one on went to.
    Addresses askedFrom(int first) const
    {
        Addresses a;
        for (const comm::Request& r : bench->requests.mid(first))
            a.append(r.address);
        return a;
    }

private:
    int m_answered = 0;  // requests answered so far
};

}  // namespace

Q_DECLARE_METATYPE(NameAnswers)

class TstDiscovery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A bench that answers each pass alike: the first pass asks all ten addresses, and only
    // while a module is missing the second asks again those that stayed silent.
    void search_data()
    {
        QTest::addColumn<Addresses>("stored");
        QTest::addColumn<NameAnswers>("answers");
        QTest::addColumn<Addresses>("found");
        QTest::addColumn<QString>("imrName");
        QTest::addColumn<Addresses>("askedAgain");

        const QString nul(QChar(0));
        const Addresses all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        QTest::newRow("none found") << Addresses{3, 5, 7} << NameAnswers{} << Addresses{0, 0, 0} << QString() << all;
        QTest::newRow("all three") << Addresses{0, 0, 0}
                                   << NameAnswers{{1, "ТЕРВАЛО ЗТА-ИМР"}, {2, "ЗТА-УСИ"}, {3, "ЗТА-ИПТ v1"}}
                                   << Addresses{1, 2, 3} << "ТЕРВАЛО ЗТА-ИМР" << Addresses{};
        QTest::newRow("NUL ends the name") << Addresses{0, 0, 0}
                                           << NameAnswers{{4, "ЗТА-ИМР" + nul + "ЗТА-УСИ"}}
                                           << Addresses{4, 0, 0} << "ЗТА-ИМР" << Addresses{1, 2, 3, 5, 6, 7, 8, 9, 10};
        QTest::newRow("later answer wins") << Addresses{0, 0, 0}
                                           << NameAnswers{{6, "ЗТА-УСИ a"}, {2, "ЗТА-УСИ b"}}
                                           << Addresses{0, 2, 0} << QString() << Addresses{1, 3, 4, 5, 7, 8, 9, 10};
        QTest::newRow("two fragments, one module") << Addresses{0, 0, 0}
                                                   << NameAnswers{{5, "ЗТА-ИМР+ЗТА-ИПТ"}}
                                                   << Addresses{5, 0, 5} << "ЗТА-ИМР+ЗТА-ИПТ"
                                                   << Addresses{1, 2, 3, 4, 6, 7, 8, 9, 10};
        QTest::newRow("fragment is case-sensitive") << Addresses{0, 0, 0} << NameAnswers{{1, "зта-имр"}}
                                                    << Addresses{0, 0, 0} << QString() << Addresses{2, 3, 4, 5, 6, 7, 8, 9, 10};
        // A garbled answer may read on another try; a module's refusal is its last word.
        QTest::newRow("known address vanishes")
            << Addresses{3, 2, 0}
            << NameAnswers{{3, "ЗТА-ХХХ"}, {2, "ЗТА-УСИ"}, {7, "ЗТА-ИМР", comm::ResultCrc}, {8, "", comm::ResultDeviceFailure}}
            << Addresses{0, 2, 0} << QString() << Addresses{1, 4, 5, 6, 7, 9, 10};
    }
    void search()
    {
        QFETCH(Addresses, stored);
        QFETCH(NameAnswers, answers);
        QFETCH(Addresses, found);
        QFETCH(QString, imrName);
        QFETCH(Addresses, askedAgain);
        Bench f(stored);
        auto& cfg = f.form().config;
        for (int row = 1; row <= 3; ++row)
            QCOMPARE(cfg.sg.cell(1, row), stored[row - 1] ? QString::number(stored[row - 1]) : QString("?"));

        cfg.BitBtn5.click();
        QVERIFY(!cfg.BitBtn5.isEnabled());
        QCOMPARE(f.askedFrom(0), (Addresses{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        for (const comm::Request& r : f.bench->requests)
            QCOMPARE(r.qid, 17);
        for (int row = 1; row <= 3; ++row) {
            QCOMPARE(f.module(row).Adr, 0);
            QCOMPARE(cfg.sg.cell(2, row), QString());
        }

        f.answer(answers);
        QCOMPARE(f.askedFrom(10), askedAgain);
        QVERIFY(cfg.BitBtn5.isEnabled());
        QCOMPARE(f.storedAddresses(), found);
        for (int row = 1; row <= 3; ++row) {
            const int adr = found[row - 1];
            QCOMPARE(int(f.module(row).Adr), adr);
            if (adr) {
                QCOMPARE(cfg.sg.cell(1, row), QString::number(adr));
                QCOMPARE(cfg.sg.cell(2, row), kLinkTexts[row - 1]);
                QCOMPARE(cfg.sg.cell(3, row), kSoftwareIds[row - 1]);
            } else {
                // The address column keeps the number it showed before the search.
                QCOMPARE(cfg.sg.cell(1, row), stored[row - 1] ? QString::number(stored[row - 1]) : QString("?"));
                QCOMPARE(cfg.sg.cell(2, row), QString("Не обнаружено"));
            }
        }
        if (!imrName.isEmpty())
            QCOMPARE(f.module(1).Name, imrName);
    }

    // A module that misses the first pass's short wait and answers when asked again is found;
    // nothing is shown or stored before the second pass has ended.
    void moduleAnsweringOnlyWhenAskedAgain_data()
    {
        QTest::addColumn<int>("firstResult");
        QTest::newRow("silent") << int(comm::ResultNoAnswer);
        QTest::newRow("garbled") << int(comm::ResultCrc);
        QTest::newRow("heard from another address") << int(comm::ResultWrongAddress);
    }
    void moduleAnsweringOnlyWhenAskedAgain()
    {
        QFETCH(int, firstResult);
        Bench f({0, 7, 6});
        auto& cfg = f.form().config;
        cfg.BitBtn5.click();
        f.answerPass({{1, "ЗТА-ИМР"}, {2, "ЗТА-УСИ"}, {3, "", firstResult}});
        QVERIFY(!cfg.BitBtn5.isEnabled());
        QCOMPARE(f.storedAddresses(), (Addresses{0, 7, 6}));
        QCOMPARE(cfg.sg.cell(2, 3), QString());
        QCOMPARE(f.askedFrom(10), (Addresses{3, 4, 5, 6, 7, 8, 9, 10}));

        f.answerPass({{3, "ЗТА-ИПТ"}});
        QVERIFY(cfg.BitBtn5.isEnabled());
        QCOMPARE(f.storedAddresses(), (Addresses{1, 2, 3}));
        QCOMPARE(cfg.sg.cell(1, 3), QString("3"));
        QCOMPARE(cfg.sg.cell(2, 3), kLinkTexts[2]);
        QCOMPARE(f.bench->requests.size(), 18);
    }

    // The first pass asks each address once and waits no longer than a name answer takes at
    // the line's speed; the second waits as long as the line does and makes up its retries,
    // asking once at least.
    void passesWait_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("answerDelay");
        QTest::addColumn<int>("retries");
        QTest::addColumn<bool>("firstShorter");  // the first pass waits less than the line
        QTest::addColumn<int>("secondRetries");
        QTest::newRow("19200, defaults") << 19200 << 500 << 5 << true << 4;
        QTest::newRow("9600, no retries") << 9600 << 500 << 0 << true << 0;
        QTest::newRow("1200, defaults") << 1200 << 500 << 5 << false << 4;
        QTest::newRow("19200, short time-out") << 19200 << 30 << 1 << false << 0;
    }
    void passesWait()
    {
        QFETCH(int, baud);
        QFETCH(int, answerDelay);
        QFETCH(int, retries);
        QFETCH(bool, firstShorter);
        QFETCH(int, secondRetries);
        Bench f;
        f.bench->setComSpeed(baud);
        f.bench->setAnswerDelay(answerDelay);
        f.bench->setRetries(retries);
        f.form().config.BitBtn5.click();
        f.answerPass({});
        QCOMPARE(f.bench->requests.size(), 20);

        // The longest of the names, "ТЕРВАЛО ЗТА-ИМР 64.08.02.00", is 40 bytes in UTF-8: 45 on
        // the wire in its answer, after the 4-byte request, at 10 bits a character or more.
        const double nameExchangeMs = (4 + 45) * 10 * 1000.0 / baud;
        for (const comm::Request& first : f.bench->requests.mid(0, 10)) {
            QCOMPARE(first.patience.retries.value_or(-1), 0);
            QVERIFY(first.patience.answerDelayMs);
            const int waited = *first.patience.answerDelayMs;
            QVERIFY2(waited <= answerDelay && (waited < answerDelay) == firstShorter, qPrintable(QString::number(waited)));
            if (answerDelay > nameExchangeMs)
                QVERIFY2(waited > nameExchangeMs, qPrintable(QString::number(waited)));
        }
        for (const comm::Request& second : f.bench->requests.mid(10)) {
            QVERIFY(!second.patience.answerDelayMs);
            QCOMPARE(second.patience.retries.value_or(-1), secondRetries);
        }
    }

    // Not a silence another try could break: no second pass for it.
    void unsentAnswerOnAnOpenPortIsAFailedAnswer()
    {
        Bench f({3, 2, 1});
        auto& cfg = f.form().config;
        cfg.BitBtn5.click();
        f.answerPass({{1, "ЗТА-ИПТ"}}, comm::ResultCannotSend);
        QTRY_VERIFY(cfg.BitBtn5.isEnabled());
        QCOMPARE(f.bench->requests.size(), 10);
        QCOMPARE(f.storedAddresses(), (Addresses{0, 0, 1}));
        QCOMPARE(cfg.sg.cell(2, 1), QString("Не обнаружено"));
    }

    void lostLineStoresNothing_data()
    {
        QTest::addColumn<bool>("inSecondPass");
        QTest::newRow("in the first pass") << false;
        QTest::newRow("in the second pass") << true;
    }
    void lostLineStoresNothing()
    {
        QFETCH(bool, inSecondPass);
        Bench f({3, 2, 1});
        auto& cfg = f.form().config;
        cfg.BitBtn5.click();
        if (inSecondPass)
            f.answerPass({{1, "ЗТА-ИПТ"}});
        const qsizetype asked = f.bench->requests.size();
        // The server answers what it owed, then reports the line down.
        f.answerPass({{1, "ЗТА-ИПТ"}}, comm::ResultCannotSend);
        f.bench->reportConnected(false);
        QCoreApplication::processEvents();
        QCOMPARE(f.bench->requests.size(), asked);
        QCOMPARE(f.storedAddresses(), (Addresses{3, 2, 1}));
        QVERIFY(!cfg.BitBtn5.isEnabled());
        for (int row = 1; row <= 2; ++row)
            QVERIFY(cfg.sg.cell(2, row) != "Не обнаружено");

        // The line comes back: the next search starts over with all ten addresses.
        f.bench->reportConnected(true);
        QVERIFY(cfg.BitBtn5.isEnabled());
        cfg.BitBtn5.click();
        QCOMPARE(f.askedFrom(int(asked)), (Addresses{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        f.answer({{1, "ЗТА-ИПТ"}});
        QCOMPARE(f.storedAddresses(), (Addresses{0, 0, 1}));
        QVERIFY(cfg.BitBtn5.isEnabled());
    }

    void propertiesFollowTheSelectedRow_data()
    {
        QTest::addColumn<bool>("linkUp");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("module with an address") << true << 3 << true;
        QTest::newRow("link down") << false << 1 << false;
        QTest::newRow("address 0") << true << 2 << false;
    }
    void propertiesFollowTheSelectedRow()
    {
        QFETCH(bool, linkUp);
        QFETCH(int, row);
        QFETCH(bool, enabled);
        Bench f({4, 0, 6});
        auto& cfg = f.form().config;
        cfg.sg.selectRow(1);
        QVERIFY(cfg.BtnPropZTA.isEnabled());
        if (!linkUp)
            f.bench->reportConnected(false);
        cfg.sg.selectRow(row);
        QCOMPARE(cfg.BtnPropZTA.isEnabled(), enabled);
    }
};

QTEST_GUILESS_MAIN(TstDiscovery)
#include "tst_discovery.moc"
