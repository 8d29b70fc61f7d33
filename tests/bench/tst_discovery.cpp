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
    // The given answers in their order, then a failure for every address not among them.
    void answer(const NameAnswers& answers, int othersResult = comm::ResultNoAnswer)
    {
        QSet<int> answered;
        for (const NameAnswer& a : answers) {
            bench->answer(17, a.name, a.result, a.address, true);
            answered.insert(a.address);
        }
        for (int address = 1; address <= 10; ++address)
            if (!answered.contains(address))
                bench->answer(17, QVariant(), othersResult, address, true);
    }
};

}  // namespace

Q_DECLARE_METATYPE(NameAnswers)

class TstDiscovery : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void search_data()
    {
        QTest::addColumn<Addresses>("stored");
        QTest::addColumn<NameAnswers>("answers");
        QTest::addColumn<Addresses>("found");
        QTest::addColumn<QString>("imrName");

        const QString nul(QChar(0));
        QTest::newRow("none found") << Addresses{3, 5, 7} << NameAnswers{} << Addresses{0, 0, 0} << QString();
        QTest::newRow("all three") << Addresses{0, 0, 0}
                                   << NameAnswers{{1, "ТЕРВАЛО ЗТА-ИМР"}, {2, "ЗТА-УСИ"}, {3, "ЗТА-ИПТ v1"}}
                                   << Addresses{1, 2, 3} << "ТЕРВАЛО ЗТА-ИМР";
        QTest::newRow("NUL ends the name") << Addresses{0, 0, 0}
                                           << NameAnswers{{4, "ЗТА-ИМР" + nul + "ЗТА-УСИ"}}
                                           << Addresses{4, 0, 0} << "ЗТА-ИМР";
        QTest::newRow("later answer wins") << Addresses{0, 0, 0}
                                           << NameAnswers{{6, "ЗТА-УСИ a"}, {2, "ЗТА-УСИ b"}}
                                           << Addresses{0, 2, 0} << QString();
        QTest::newRow("two fragments, one module") << Addresses{0, 0, 0}
                                                   << NameAnswers{{5, "ЗТА-ИМР+ЗТА-ИПТ"}}
                                                   << Addresses{5, 0, 5} << "ЗТА-ИМР+ЗТА-ИПТ";
        QTest::newRow("fragment is case-sensitive") << Addresses{0, 0, 0} << NameAnswers{{1, "зта-имр"}}
                                                    << Addresses{0, 0, 0} << QString();
        QTest::newRow("known address vanishes")
            << Addresses{3, 2, 0} << NameAnswers{{3, "ЗТА-ХХХ"}, {2, "ЗТА-УСИ"}, {7, "ЗТА-ИМР", comm::ResultCrc}}
            << Addresses{0, 2, 0} << QString();
    }
    void search()
    {
        QFETCH(Addresses, stored);
        QFETCH(NameAnswers, answers);
        QFETCH(Addresses, found);
        QFETCH(QString, imrName);
        Bench f(stored);
        auto& cfg = f.form().config;
        for (int row = 1; row <= 3; ++row)
            QCOMPARE(cfg.sg.cell(1, row), stored[row - 1] ? QString::number(stored[row - 1]) : QString("?"));

        cfg.BitBtn5.click();
        QVERIFY(!cfg.BitBtn5.isEnabled());
        QCOMPARE(f.bench->requests.size(), 10);
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(f.bench->requests[i].qid, 17);
            QCOMPARE(f.bench->requests[i].address, i + 1);
        }
        for (int row = 1; row <= 3; ++row) {
            QCOMPARE(f.module(row).Adr, 0);
            QCOMPARE(cfg.sg.cell(2, row), QString());
        }

        f.answer(answers);
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

    void unsentAnswerOnAnOpenPortIsAFailedAnswer()
    {
        Bench f({3, 2, 1});
        auto& cfg = f.form().config;
        cfg.BitBtn5.click();
        f.answer({{1, "ЗТА-ИПТ"}}, comm::ResultCannotSend);
        QTRY_VERIFY(cfg.BitBtn5.isEnabled());
        QCOMPARE(f.storedAddresses(), (Addresses{0, 0, 1}));
        QCOMPARE(cfg.sg.cell(2, 1), QString("Не обнаружено"));
    }

    void lostLineStoresNothing()
    {
        Bench f({3, 2, 1});
        auto& cfg = f.form().config;
        cfg.BitBtn5.click();
        // The server answers what it owed, then reports the line down.
        f.answer({{1, "ЗТА-ИПТ"}}, comm::ResultCannotSend);
        f.bench->reportConnected(false);
        QCoreApplication::processEvents();
        QCOMPARE(f.storedAddresses(), (Addresses{3, 2, 1}));
        QVERIFY(!cfg.BitBtn5.isEnabled());
        for (int row = 1; row <= 2; ++row)
            QVERIFY(cfg.sg.cell(2, row) != "Не обнаружено");

        // The line comes back: the next search starts over with a count of ten.
        f.bench->reportConnected(true);
        QVERIFY(cfg.BitBtn5.isEnabled());
        cfg.BitBtn5.click();
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
