// The traffic monitor over the simulated bench and meter lines: it records exactly the
// exchanges made while it is shown, in order and with their frames; pause, clear, the line
// and address filter, the bound of its log and screen, saving to a file and its failures.
#include "../modes/Workbench.h"
#include "../support/InProcessServer.h"
#include "../support/ScriptedDialogs.h"

#include "link/Result.h"
#include "service/TrafficMonitor.h"
#include "service/TrafficText.h"
#include "sim/Equipment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using test::InProcessServer;

namespace {

constexpr int Imr = 1, Usi = 2, Absent = 9;
constexpr int SpeedCodeReg = 1;  // a holding register of every bench module
constexpr int MeterFlowReg = 0;  // the type 0 meter's flow, first word
constexpr int Uint16 = int(comm::DataType::UInt16);
constexpr int Uint8 = int(comm::DataType::UInt8);

const QString Bench = QStringLiteral("ЗТА");
const QString Meter = QStringLiteral("Расходомер");

// Both lines served in process, and the monitor on them, hidden.
struct Lines {
    explicit Lines(int capacity = comm::TrafficLog::DefaultCapacity)
        : bench(equipment, sim::LineKind::Bench), meter(equipment, sim::LineKind::Meter), monitor(bench, meter, capacity)
    {
        for (InProcessServer* line : {&bench, &meter}) {
            line->attach();
            line->setConnected(true);
            QObject::connect(line, &comm::MBComMaster::OnExchange, line,
                             [this](int qid, int, int, const QVariant&, int) { answered.append(qid); });
        }
        connected = QTest::qWaitFor([&] { return bench.Connected() && meter.Connected(); }, 5000);
    }

    // One read of a line's holding registers (function 04: input registers), waited for.
    [[nodiscard]] bool read(InProcessServer& line, int qid, int address, int reg = SpeedCodeReg, bool input = false)
    {
        line.setDeviceAddres(address);
        if (input)
            line.ReadInputRegs(qid, 0, reg, Uint8, 3);
        else
            line.ReadHoldRegs(qid, 0, reg, Uint16, 1);
        return QTest::qWaitFor([&] { return answered.contains(qid); }, 5000);
    }

    QList<int> loggedQids() const
    {
        QList<int> out;
        for (int i = 0; i < monitor.log().size(); ++i)
            out.append(monitor.log().at(i).record.qid);
        return out;
    }
    // The screen's lines for the logged entries of the given QIDs, in the log's order.
    QStringList linesOf(const QList<int>& qids) const
    {
        QStringList out;
        for (int i = 0; i < monitor.log().size(); ++i)
            if (qids.contains(monitor.log().at(i).record.qid))
                out.append(service::trafficLine(monitor.log().at(i)));
        return out;
    }
    const QStringList& screen() const { return monitor.form.MemoTraffic.lines(); }
    void tick() { monitor.form.TmrShow.tick(); }

    test::ScriptedDialogs dialogs;
    sim::Equipment equipment{test::quickBench()};
    InProcessServer bench;
    InProcessServer meter;
    service::TrafficMonitor monitor;
    QList<int> answered;
    bool connected = false;
};

struct Logged {
    QString line;
    int qid, address, function, reg, count, result;
    QByteArray sent, received;  // hex, spaced
    friend bool operator==(const Logged&, const Logged&) = default;
};

char* toString(const Logged& l)
{
    return QTest::toString(QStringLiteral("%1 qid=%2 addr=%3 fn=%4 reg=%5 count=%6 result=%7 tx=[%8] rx=[%9]")
                               .arg(l.line)
                               .arg(l.qid)
                               .arg(l.address)
                               .arg(l.function)
                               .arg(l.reg)
                               .arg(l.count)
                               .arg(l.result)
                               .arg(QString::fromLatin1(l.sent), QString::fromLatin1(l.received)));
}

}  // namespace

class tst_TrafficMonitor : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Only what happens while the window is shown is recorded: each exchange once, in the
    // order of the answers, with the frames that went out and came back.
    void recordsExactlyTheExchangesMadeWhileShown()
    {
        Lines f;
        QVERIFY(f.connected);
        QVERIFY(f.read(f.bench, 1, Imr));
        f.monitor.show();
        QVERIFY(f.read(f.bench, 11, Imr));
        QVERIFY(f.read(f.meter, 21, 1, MeterFlowReg));
        QVERIFY(f.read(f.bench, 12, Absent));
        QVERIFY(f.read(f.bench, 13, Imr, 1, true));
        f.monitor.form.hide();
        QVERIFY(f.read(f.bench, 99, Imr));
        QVERIFY(f.read(f.meter, 98, 1, MeterFlowReg));

        QList<Logged> logged;
        for (int i = 0; i < f.monitor.log().size(); ++i) {
            const comm::TrafficEntry& e = f.monitor.log().at(i);
            const comm::ExchangeRecord& r = e.record;
            logged.append({e.line, r.qid, r.address, r.function, r.reg, r.count, r.result,
                           r.sentFrame().toHex(' ').toUpper(), r.receivedFrame().toHex(' ').toUpper()});
        }
        const QList<Logged> expected{
            {Bench, 11, Imr, 0x03, SpeedCodeReg, 1, comm::ResultOk, "01 03 00 01 00 01 D5 CA", "01 03 02 00 04 B9 87"},
            {Meter, 21, 1, 0x03, MeterFlowReg, 1, comm::ResultOk, "01 03 00 00 00 01 84 0A", "01 03 02 00 00 B8 44"},
            {Bench, 12, Absent, 0x03, SpeedCodeReg, 1, comm::ResultNoAnswer, "09 03 00 01 00 01 D4 82", ""},
            {Bench, 13, Imr, 0x04, 1, 3, comm::ResultOk, "01 04 00 01 00 03 E1 CB", "01 04 06 00 00 00 00 00 00 60 93"},
        };
        QCOMPARE(logged, expected);

        f.monitor.show();  // shown again: the screen catches up with the log at once
        QCOMPARE(f.screen(), f.linesOf({11, 21, 12, 13}));
        QCOMPARE(f.monitor.form.LblState.caption(), QStringLiteral("Показано обменов: 4"));
    }

    // The screen follows on the timer's ticks, not on every exchange, and only while shown.
    void screenFollowsOnTicksWhileShown()
    {
        Lines f;
        f.monitor.show();
        QVERIFY(f.monitor.form.TmrShow.isRunning());
        QVERIFY(f.read(f.bench, 11, Imr));
        QVERIFY(f.screen().isEmpty());
        f.tick();
        QCOMPARE(f.screen(), f.linesOf({11}));
        f.monitor.form.hide();
        QVERIFY(!f.monitor.form.TmrShow.isRunning());
    }

    // Paused, exchanges are counted and let pass; on "Продолжить" recording goes on.
    void pauseCountsWhatGoesBy()
    {
        Lines f;
        f.monitor.show();
        auto& form = f.monitor.form;
        QVERIFY(f.read(f.bench, 11, Imr));
        form.BtnPause.click();
        QCOMPARE(form.BtnPause.caption(), QStringLiteral("Продолжить"));
        QCOMPARE(f.screen(), f.linesOf({11}));  // what came before the pause is shown at once
        QVERIFY(f.read(f.bench, 12, Imr));
        QVERIFY(f.read(f.meter, 21, 1, MeterFlowReg));
        f.tick();
        QCOMPARE(f.loggedQids(), QList<int>{11});
        QCOMPARE(form.LblState.caption(), QStringLiteral("Пауза, пропущено обменов: 2"));

        form.BtnPause.click();
        QCOMPARE(form.BtnPause.caption(), QStringLiteral("Пауза"));
        QVERIFY(f.read(f.bench, 13, Usi));
        f.tick();
        QCOMPARE(f.loggedQids(), (QList<int>{11, 13}));
        QCOMPARE(f.screen(), f.linesOf({11, 13}));
        QCOMPARE(form.LblState.caption(), QStringLiteral("Показано обменов: 2"));
    }

    void clearEmptiesLogAndScreen()
    {
        Lines f;
        f.monitor.show();
        QVERIFY(f.read(f.bench, 11, Imr));
        QVERIFY(f.read(f.meter, 21, 1, MeterFlowReg));
        f.tick();
        f.monitor.form.BtnClear.click();
        QVERIFY(f.screen().isEmpty());
        QCOMPARE(f.monitor.log().size(), 0);
        QCOMPARE(f.monitor.form.LblState.caption(), QStringLiteral("Показано обменов: 0"));
        QVERIFY(f.read(f.bench, 12, Imr));
        f.tick();
        QCOMPARE(f.screen(), f.linesOf({12}));
    }

    // The filter applies to what is on the screen and to what comes after.
    void filterByLineAndAddress_data()
    {
        QTest::addColumn<int>("line");  // the item of the line filter
        QTest::addColumn<QString>("address");
        QTest::addColumn<QList<int>>("shown");
        // Before the filter: 11 ЗТА/1, 12 ЗТА/2, 21 Расходомер/1; after it: 13 ЗТА/9, 22 Расходомер/1.
        QTest::newRow("both lines, every address") << 0 << "" << QList<int>{11, 12, 21, 13, 22};
        QTest::newRow("bench line") << 1 << "" << QList<int>{11, 12, 13};
        QTest::newRow("meter line") << 2 << "" << QList<int>{21, 22};
        QTest::newRow("address 1 on both lines") << 0 << "1" << QList<int>{11, 21, 22};
        QTest::newRow("bench line, address 2") << 1 << "2" << QList<int>{12};
        QTest::newRow("meter line, address 2") << 2 << "2" << QList<int>{};
        QTest::newRow("the silent address") << 0 << "9" << QList<int>{13};
    }
    void filterByLineAndAddress()
    {
        QFETCH(int, line);
        QFETCH(QString, address);
        QFETCH(QList<int>, shown);
        Lines f;
        f.monitor.show();
        QVERIFY(f.read(f.bench, 11, Imr));
        QVERIFY(f.read(f.bench, 12, Usi));
        QVERIFY(f.read(f.meter, 21, 1, MeterFlowReg));
        f.tick();
        auto& form = f.monitor.form;
        form.CbxLine.select(line);
        form.EdtAddress.typeText(address);
        QCOMPARE(f.screen(), f.linesOf(shown));
        QVERIFY(f.read(f.bench, 13, Absent));
        QVERIFY(f.read(f.meter, 22, 1, MeterFlowReg));
        f.tick();
        QCOMPARE(f.screen(), f.linesOf(shown));
        QVERIFY(f.dialogs.messages.isEmpty());

        // Back to everything: the whole log again.
        form.CbxLine.select(0);
        form.EdtAddress.edited(QString());
        QCOMPARE(f.screen(), f.linesOf({11, 12, 21, 13, 22}));
    }

    // Only digits reach the address field, and they filter as they are typed.
    void addressFieldTakesDigits_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("shown");
        QTest::newRow("digits") << "2" << "2" << QList<int>{12};
        QTest::newRow("letters and signs swallowed") << "a-2 " << "2" << QList<int>{12};
        QTest::newRow("typed and taken back") << "2\b1" << "1" << QList<int>{11};
        QTest::newRow("highest address") << "247" << "247" << QList<int>{};
    }
    void addressFieldTakesDigits()
    {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(QList<int>, shown);
        Lines f;
        f.monitor.show();
        QVERIFY(f.read(f.bench, 11, Imr));
        QVERIFY(f.read(f.bench, 12, Usi));
        f.tick();
        auto& edit = f.monitor.form.EdtAddress;
        edit.typeText(typed);
        QCOMPARE(edit.text(), text);
        QCOMPARE(f.screen(), f.linesOf(shown));
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    // An address no device can have (pasted, say) is refused with a message; the filter
    // stays as it was.
    void addressPastTheHighestIsRefused()
    {
        Lines f;
        f.monitor.show();
        QVERIFY(f.read(f.bench, 11, Imr));
        QVERIFY(f.read(f.bench, 12, Usi));
        auto& edit = f.monitor.form.EdtAddress;
        edit.typeText(QStringLiteral("1"));
        edit.edited(QStringLiteral("300"));
        QCOMPARE(f.dialogs.messages, QStringList{"Адрес «300» не подходит: нужно число от 0 до 247 или пусто для всех адресов"});
        QCOMPARE(f.screen(), f.linesOf({11}));
    }

    // The log keeps its newest entries past its bound, and the screen, though it may run a
    // little past the log between refills, stays bounded and ends with the log's entries.
    void boundDropsTheOldest()
    {
        constexpr int Capacity = 10, Made = 40;
        Lines f(Capacity);
        f.monitor.show();
        QList<int> made;
        int longestScreen = 0;
        for (int qid = 100; qid < 100 + Made; ++qid) {
            QVERIFY(f.read(f.bench, qid, Imr));
            made.append(qid);
            f.tick();
            longestScreen = std::max(longestScreen, int(f.screen().size()));
        }
        QCOMPARE(f.loggedQids(), made.mid(Made - Capacity));
        QVERIFY2(longestScreen < 2 * Capacity, qPrintable(QString::number(longestScreen)));
        QCOMPARE(f.screen().mid(f.screen().size() - Capacity), f.linesOf(made));
    }

    // "Сохранить..." writes the header and the shown lines, filtered, as UTF-8 text.
    void savesTheShownEntries()
    {
        Lines f;
        QTemporaryDir dir;
        f.monitor.show();
        QVERIFY(f.read(f.bench, 11, Imr));
        QVERIFY(f.read(f.meter, 21, 1, MeterFlowReg));
        QVERIFY(f.read(f.meter, 22, 1, MeterFlowReg));
        f.monitor.form.CbxLine.select(2);
        const QString path = dir.filePath(QStringLiteral("обмен.txt"));
        f.dialogs.saveFileAnswer = path;
        f.monitor.form.BtnSave.click();

        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(f.dialogs.saveFileOffered.size(), 1);
        QVERIFY(f.dialogs.saveFileOffered[0].suggestedName.endsWith(QStringLiteral(".txt")));
        QVERIFY(f.dialogs.saveFileOffered[0].filter.contains(QStringLiteral("*.txt")));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList expected = QStringList{service::trafficHeader()} + f.linesOf({21, 22});
        QCOMPARE(QString::fromUtf8(file.readAll()), expected.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    }

    void saveFailureOrCancel_data()
    {
        QTest::addColumn<QString>("target");  // relative to a fresh folder; empty: cancelled
        QTest::addColumn<bool>("reported");
        QTest::newRow("cancelled") << "" << false;
        QTest::newRow("missing folder") << "нет/обмен.txt" << true;
        QTest::newRow("a folder in the way") << "." << true;
    }
    void saveFailureOrCancel()
    {
        QFETCH(QString, target);
        QFETCH(bool, reported);
        Lines f;
        QTemporaryDir dir;
        f.monitor.show();
        QVERIFY(f.read(f.bench, 11, Imr));
        const QString path = QDir::cleanPath(dir.filePath(target));
        if (!target.isEmpty())
            f.dialogs.saveFileAnswer = path;
        f.monitor.form.BtnSave.click();
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{});
        if (!reported) {
            QVERIFY(f.dialogs.messages.isEmpty());
            return;
        }
        QCOMPARE(f.dialogs.messages.size(), 1);
        const QString head = QStringLiteral("Не удалось сохранить обмен в файл %1:\n").arg(QDir::toNativeSeparators(path));
        QVERIFY2(f.dialogs.messages[0].startsWith(head), qPrintable(f.dialogs.messages[0]));
        QVERIFY2(f.dialogs.messages[0].size() > head.size(), "the system's reason is missing");
        QCOMPARE(f.dialogs.icons[0], ui::Icon::Error);
    }

    // The service menu opens the monitor, and it records the main window's own requests.
    void serviceMenuOpensTheMonitor()
    {
        test::Workbench w;
        QVERIFY(w.connected);
        w.form().mnuTraffic.click();
        auto& monitor = w.main->trafficMonitor;
        QVERIFY(monitor.form.isVisible());
        w.form().config.BitBtn5.click();  // the module search
        QVERIFY(QTest::qWaitFor([&] { return w.form().config.BitBtn5.isEnabled(); }, 30000));
        QList<int> benchAddresses;
        for (int i = 0; i < monitor.log().size(); ++i)
            if (monitor.log().at(i).line == Bench && !benchAddresses.contains(monitor.log().at(i).record.address))
                benchAddresses.append(monitor.log().at(i).record.address);
        std::sort(benchAddresses.begin(), benchAddresses.end());
        QVERIFY2(benchAddresses.size() > 1, qPrintable(QString::number(benchAddresses.size())));
    }
};

QTEST_MAIN(tst_TrafficMonitor)
#include "tst_traffic_monitor.moc"
