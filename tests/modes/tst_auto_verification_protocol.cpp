// The protocol of an automatic verification without a bench: the error and verdict arithmetic,
// the conclusion, the CSV that must read back the same numbers, the PDF, and the parameters and
// permissible errors kept in ZTA.ini beside the catalogue.
#include "modes/MeterOutputs.h"
#include "modes/verification/ProtocolCsv.h"
#include "modes/verification/ProtocolFiles.h"
#include "modes/verification/ProtocolPdf.h"
#include "modes/verification/ProtocolText.h"
#include "shell/settings/IniFile.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace verification;

Q_DECLARE_METATYPE(std::optional<bool>)
Q_DECLARE_METATYPE(std::optional<double>)
Q_DECLARE_METATYPE(std::optional<int>)
Q_DECLARE_METATYPE(Conclusion)
Q_DECLARE_METATYPE(Protocol)

namespace {

// One check or point of a protocol as the conclusion table names it; Skipped: a check not made
// for want of its module.
enum class Outcome { Absent, Pass, Fail, Unmeasured, Skipped };

PointResult point(int flow, QList<double> readings, bool complete = true)
{
    return PointResult{flow, double(flow), 0.8, std::move(readings), complete, std::nullopt};
}

PointResult pointWith(Outcome o)
{
    switch (o) {
    case Outcome::Pass: return point(100, {100.5});
    case Outcome::Fail: return point(100, {101.0});
    case Outcome::Unmeasured: return point(100, {}, false);
    case Outcome::Absent: break;
    }
    Q_ASSERT(false);
    return {};
}

std::optional<Comparison> comparisonWith(Outcome o)
{
    if (o == Outcome::Absent || o == Outcome::Skipped)
        return std::nullopt;
    return Comparison{10.0, o == Outcome::Pass ? 10.05 : 10.2, 0.8};
}

QString reasonFor(Outcome o, const QString& module)
{
    return o == Outcome::Skipped ? QStringLiteral("нет модуля ") + module : QString();
}

// A protocol with every field set to something a careless writer would lose: separators and
// quotes in texts, numbers that need all their digits.
Protocol fullProtocol()
{
    Protocol p;
    p.started = QDateTime(QDate(2026, 12, 10), QTime(17, 5, 9));
    p.bench = QStringLiteral("ИМР ЗТА-01 № 1021, УСИ ЗТА-01 № 2033");
    p.meterType = QStringLiteral("ДТК-300Т");
    p.meter = {QStringLiteral("A-17;\"Б\""), QStringLiteral("ООО \"Водоканал\"; цех 2"), QStringLiteral("Иванов И. И.")};
    p.autoCirculations = 256;
    p.delayNs = 97.30000000000001;
    p.parameters = {250, 3, 120, 400, 2, {30, 150, 300}};
    p.points = {point(30, {30.1, 30.2, 0.1 + 0.2 + 29.7}), point(150, {151.23456789012, 149.9, 150.0}),
                point(300, {301.5}, false)};
    p.volume = VolumeCheck{{2.0000001, 2.0061, 0.8}, Comparison{2.0000001, 1.999, 0.8}};
    p.points[0].current = Comparison{5.6, 5.600000000000001, 0.8};
    p.points[1].current = Comparison{12.0, 12.004, 0.5};
    p.complete = false;
    p.incompleteReason = QStringLiteral("остановлена оператором");
    return p;
}

}  // namespace

Q_DECLARE_METATYPE(Outcome)

class TstAutoVerificationProtocol : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pointArithmetic_data()
    {
        QTest::addColumn<double>("imitated");
        QTest::addColumn<QList<double>>("readings");
        QTest::addColumn<double>("permissible");
        QTest::addColumn<double>("mean");
        QTest::addColumn<double>("minimum");
        QTest::addColumn<double>("maximum");
        QTest::addColumn<double>("error");
        QTest::addColumn<std::optional<bool>>("passed");

        QTest::newRow("exact") << 100.0 << QList<double>{100, 100} << 0.8 << 100.0 << 100.0 << 100.0 << 0.0
                               << std::optional<bool>(true);
        QTest::newRow("exactly the limit above") << 100.0 << QList<double>{100.8} << 0.8 << 100.8 << 100.8 << 100.8
                                                 << 0.8 << std::optional<bool>(true);
        QTest::newRow("exactly the limit below") << 150.0 << QList<double>{148.8} << 0.8 << 148.8 << 148.8 << 148.8
                                                 << -0.8 << std::optional<bool>(true);
        QTest::newRow("just over the limit") << 100.0 << QList<double>{100.81} << 0.8 << 100.81 << 100.81 << 100.81
                                             << 0.81 << std::optional<bool>(false);
        QTest::newRow("below, over the limit") << 50.0 << QList<double>{49.5} << 0.8 << 49.5 << 49.5 << 49.5 << -1.0
                                               << std::optional<bool>(false);
        QTest::newRow("the mean judges, not one reading")
            << 200.0 << QList<double>{197.0, 203.4, 200.2} << 0.8 << 200.2 << 197.0 << 203.4 << 0.1
            << std::optional<bool>(true);
        QTest::newRow("error relative to the imitated flow")
            << 30.0 << QList<double>{30.3} << 1.0 << 30.3 << 30.3 << 30.3 << 1.0 << std::optional<bool>(true);
        QTest::newRow("another type's limit") << 100.0 << QList<double>{101.5} << 1.5 << 101.5 << 101.5 << 101.5
                                              << 1.5 << std::optional<bool>(true);
        QTest::newRow("no readings, no verdict") << 100.0 << QList<double>{} << 0.8 << 0.0 << 0.0 << 0.0 << 0.0
                                                 << std::optional<bool>();
    }

    void pointArithmetic()
    {
        QFETCH(double, imitated);
        QFETCH(QList<double>, readings);
        QFETCH(double, permissible);
        QFETCH(std::optional<bool>, passed);
        const PointResult p{int(imitated), imitated, permissible, readings, true, std::nullopt};
        QCOMPARE(p.passed(), passed);
        if (!p.measured())
            return;
        QFETCH(double, mean);
        QFETCH(double, minimum);
        QFETCH(double, maximum);
        QFETCH(double, error);
        QCOMPARE(p.mean(), mean);
        QCOMPARE(p.minimum(), minimum);
        QCOMPARE(p.maximum(), maximum);
        QVERIFY2(qAbs(p.errorPct() - error) < 1e-9, qPrintable(QString::number(p.errorPct(), 'g', 17)));
    }

    void pointLeftBeforeItsLastReadingHasNoVerdict()
    {
        const PointResult p = point(100, {100.1}, false);
        QCOMPARE(p.passed(), std::optional<bool>());
        QVERIFY(p.measured());
    }

    void conclusion_data()
    {
        QTest::addColumn<QList<Outcome>>("points");
        QTest::addColumn<Outcome>("volume");
        QTest::addColumn<Outcome>("pulses");
        QTest::addColumn<Outcome>("current");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<Conclusion>("conclusion");

        const QList<Outcome> allPass{Outcome::Pass, Outcome::Pass, Outcome::Pass};
        const Outcome absent = Outcome::Absent;
        const Outcome pass = Outcome::Pass;
        const Outcome fail = Outcome::Fail;
        const Outcome skipped = Outcome::Skipped;
        QTest::newRow("every point and check passes") << allPass << pass << pass << pass << true << Conclusion::Fit;
        QTest::newRow("checks not done") << allPass << absent << absent << absent << true << Conclusion::Fit;
        QTest::newRow("pulses and current not made for want of modules")
            << allPass << pass << skipped << skipped << true << Conclusion::Fit;
        QTest::newRow("a check not made does not hide a failed one")
            << allPass << fail << skipped << skipped << true << Conclusion::Unfit;
        QTest::newRow("one point fails") << QList<Outcome>{pass, fail, pass} << pass << absent << absent << true
                                         << Conclusion::Unfit;
        QTest::newRow("the volume fails") << allPass << fail << absent << absent << true << Conclusion::Unfit;
        QTest::newRow("the pulses fail") << allPass << pass << fail << skipped << true << Conclusion::Unfit;
        QTest::newRow("the current fails") << allPass << absent << absent << fail << true << Conclusion::Unfit;
        QTest::newRow("incomplete although all passed") << allPass << pass << pass << absent << false << Conclusion::None;
        QTest::newRow("incomplete with a failed point") << QList<Outcome>{fail, Outcome::Unmeasured} << absent << absent
                                                        << absent << false << Conclusion::None;
        QTest::newRow("complete but a point unmeasured") << QList<Outcome>{pass, Outcome::Unmeasured} << absent << absent
                                                         << absent << true << Conclusion::Unfit;
        QTest::newRow("no points") << QList<Outcome>{} << pass << absent << absent << true << Conclusion::Unfit;
    }

    void conclusion()
    {
        QFETCH(QList<Outcome>, points);
        QFETCH(Outcome, volume);
        QFETCH(Outcome, pulses);
        QFETCH(Outcome, current);
        QFETCH(bool, complete);
        QFETCH(Conclusion, conclusion);
        Protocol p;
        for (Outcome o : points)
            p.points.append(pointWith(o));
        if (const std::optional<Comparison> v = comparisonWith(volume))
            p.volume = VolumeCheck{*v, comparisonWith(pulses)};
        p.pulsesSkipped = reasonFor(pulses, QStringLiteral("УСИ"));
        p.currentSkipped = reasonFor(current, QStringLiteral("ИПТ"));
        // The current of the last point: the points before it pass theirs.
        for (PointResult& point : p.points)
            point.current = comparisonWith(current == Outcome::Fail && &point != &p.points.last() ? Outcome::Pass : current);
        p.complete = complete;
        QCOMPARE(p.conclusion(), conclusion);
        QCOMPARE(conclusionText(Conclusion::Fit), QStringLiteral("Годен"));
        QCOMPARE(conclusionText(Conclusion::Unfit), QStringLiteral("Не годен"));
        QVERIFY(conclusionText(Conclusion::None).isEmpty());
    }

    // The pulse count and the current output are judged like the flow: the permissible error
    // itself passes, the next step beyond it fails.
    void checksAtTheirLimit_data()
    {
        QTest::addColumn<double>("reference");
        QTest::addColumn<double>("measured");
        QTest::addColumn<bool>("passed");
        const auto pulses = [](int n) { return modes::pulseVolume(n); };
        QTest::newRow("pulses exactly the limit above") << 1.0 << pulses(1008) << true;
        QTest::newRow("pulses one over the limit above") << 1.0 << pulses(1009) << false;
        QTest::newRow("pulses exactly the limit below") << 1.0 << pulses(992) << true;
        QTest::newRow("pulses one over the limit below") << 1.0 << pulses(991) << false;
        QTest::newRow("current exactly the limit") << 12.0 << 12.096 << true;
        QTest::newRow("current just over the limit") << 12.0 << 12.0961 << false;
        QTest::newRow("current below, exactly the limit") << 4.5 << 4.464 << true;
    }

    void checksAtTheirLimit()
    {
        QFETCH(double, reference);
        QFETCH(double, measured);
        QFETCH(bool, passed);
        QCOMPARE((Comparison{reference, measured, 0.8}.passed()), passed);
    }

    // The current the meter should put out for its flow reading, through its calibration table.
    void expectedCurrent_data()
    {
        QTest::addColumn<double>("flow");
        QTest::addColumn<double>("i4");
        QTest::addColumn<double>("i20");
        QTest::addColumn<std::optional<double>>("expected");
        QTest::newRow("nominal table, zero flow") << 0.0 << 4.0 << 20.0 << std::optional<double>(4.0);
        QTest::newRow("nominal table, half the scale") << 150.0 << 4.0 << 20.0 << std::optional<double>(12.0);
        QTest::newRow("over the full scale counts as full") << 350.0 << 4.0 << 20.0 << std::optional<double>(20.0);
        QTest::newRow("a reverse flow counts as none") << -3.0 << 4.0 << 20.0 << std::optional<double>(4.0);
        QTest::newRow("the meter's table moves it") << 150.0 << 4.2 << 19.8 << std::optional<double>(12.615384615384617);
        QTest::newRow("equal 4 and 20 mA currents give none") << 150.0 << 7.0 << 7.0 << std::optional<double>();
    }

    void expectedCurrent()
    {
        QFETCH(double, flow);
        QFETCH(double, i4);
        QFETCH(double, i20);
        QFETCH(std::optional<double>, expected);
        const std::optional<double> current = modes::expectedCurrentMa(flow, {i4, i20});
        QCOMPARE(current.has_value(), expected.has_value());
        if (expected)
            QVERIFY2(qAbs(*current - *expected) < 1e-12, qPrintable(QString::number(*current, 'g', 17)));
    }

    // The table holds both slots interleaved; the slot of the current board decides the pair.
    void currentCalibrationOfTheCurrentSlot_data()
    {
        QTest::addColumn<int>("firstKind");
        QTest::addColumn<int>("secondKind");
        QTest::addColumn<std::optional<int>>("slot");
        QTest::newRow("first slot current") << 2 << 0 << std::optional<int>(0);
        QTest::newRow("both current: the first") << 2 << 2 << std::optional<int>(0);
        QTest::newRow("second slot current") << 3 << 2 << std::optional<int>(1);
        QTest::newRow("no current board") << 1 << 3 << std::optional<int>();
    }

    void currentCalibrationOfTheCurrentSlot()
    {
        QFETCH(int, firstKind);
        QFETCH(int, secondKind);
        QFETCH(std::optional<int>, slot);
        QCOMPARE(modes::currentSlot(firstKind, secondKind), slot);
        if (!slot)
            return;
        const modes::CurrentTable table{0.1, 0.2, 4.1, 4.2, 5.1, 5.2, 20.1, 20.2};
        const modes::CurrentCalibration c = modes::currentCalibration(table, *slot);
        QCOMPARE(c.i4, *slot == 0 ? 4.1 : 4.2);
        QCOMPARE(c.i20, *slot == 0 ? 20.1 : 20.2);
    }

    void volumeCheckCountsThePulsesWhenCounted()
    {
        VolumeCheck v{{10.0, 10.0, 0.8}, Comparison{10.0, 10.5, 0.8}};
        QVERIFY(!v.passed());
        v.pulses->measured = 10.05;
        QVERIFY(v.passed());
    }

    // The window's text and the printed protocol name every check: its numbers, or why it was
    // not made.
    void everyCheckIsShown_data()
    {
        QTest::addColumn<Protocol>("protocol");
        QTest::addColumn<QStringList>("lines");
        Protocol p = fullProtocol();
        QTest::newRow("all made") << p
                                  << QStringList{QStringLiteral("Объем по импульсам, м3: эталон 2.0000, прибор 1.9990, "
                                                                "погрешность -0.050 % (допустимая 0.80 %) — соответствует"),
                                                 QStringLiteral("Токовый выход при 150 м3/ч, мА: эталон 12.0000, прибор "
                                                                "12.0040, погрешность 0.033 % (допустимая 0.50 %) — "
                                                                "соответствует")};
        p.volume->pulses.reset();
        p.pulsesSkipped = QStringLiteral("нет модуля УСИ");
        p.currentSkipped = QStringLiteral("нет модуля ИПТ");
        for (PointResult& point : p.points)
            point.current.reset();
        QTest::newRow("not made") << p
                                  << QStringList{QStringLiteral("Объем по импульсам, м3: не проводилась (нет модуля УСИ)"),
                                                 QStringLiteral("Токовый выход, мА: не проводилась (нет модуля ИПТ)")};
    }

    void everyCheckIsShown()
    {
        QFETCH(Protocol, protocol);
        QFETCH(QStringList, lines);
        const QStringList text = protocolLines(protocol);
        const QString html = protocolHtml(protocol);
        for (const QString& line : lines) {
            QVERIFY2(text.contains(line), qPrintable(text.join(QLatin1Char('\n'))));
            const QString tail = line.mid(line.indexOf(QStringLiteral(": ")) + 2);
            if (tail.startsWith(QStringLiteral("не проводилась")))
                QVERIFY2(html.contains(tail), qPrintable(html));
        }
    }

    // A point the run never reached, and one it left while the flow settled: the window's text,
    // the PDF and the CSV say it was not measured, and the CSV reads it back as it was.
    void pointWithoutReadingsReadsNotMeasured_data()
    {
        QTest::addColumn<std::optional<double>>("imitated");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("pdfCells");
        QTest::addColumn<QString>("csvRow");
        QTest::newRow("never reached") << std::optional<double>() << QStringLiteral("Точка 300 м3/ч: не измерялась")
                                       << QStringLiteral("<td>300</td><td></td><td>не измерялась</td>")
                                       << QStringLiteral("300;;не измерялась;;;;;0.8;;;;;;");
        QTest::newRow("left while settling") << std::optional<double>(300.25)
                                             << QStringLiteral("Точка 300 м3/ч (имитация 300.250): не измерялась")
                                             << QStringLiteral("<td>300</td><td>300.250</td><td>не измерялась</td>")
                                             << QStringLiteral("300;300.25;не измерялась;;;;;0.8;;;;;;");
    }
    void pointWithoutReadingsReadsNotMeasured()
    {
        QFETCH(std::optional<double>, imitated);
        QFETCH(QString, line);
        QFETCH(QString, pdfCells);
        QFETCH(QString, csvRow);
        Protocol p = fullProtocol();
        p.points[2] = PointResult{300, imitated, 0.8, {}, false, std::nullopt};
        const QStringList text = protocolLines(p);
        QVERIFY2(text.contains(line), qPrintable(text.join(QLatin1Char('\n'))));
        const QString html = protocolHtml(p);
        QVERIFY2(html.contains(pdfCells), qPrintable(html));
        const QByteArray csv = protocolCsv(p);
        QVERIFY2(QString::fromUtf8(csv).contains(QStringLiteral("\r\n") + csvRow + QStringLiteral("\r\n")), csv.constData());
        QString error;
        const std::optional<Protocol> read = parseProtocolCsv(csv, &error);
        QVERIFY2(read, qPrintable(error));
        QVERIFY(*read == p);
    }

    void csvRefusesReadingsWithoutTheirImitation()
    {
        QByteArray csv = protocolCsv(fullProtocol());
        const QByteArray row = "\r\n30;30;";
        QVERIFY(csv.contains(row));
        csv.replace(row, "\r\n30;;");
        QString error;
        QVERIFY(!parseProtocolCsv(csv, &error));
        QCOMPARE(error, QStringLiteral("строка точки повреждена"));
    }

    void csvReadsBackTheSameProtocol_data()
    {
        QTest::addColumn<Protocol>("protocol");
        QTest::newRow("incomplete, every field") << fullProtocol();
        Protocol fit = fullProtocol();
        fit.points = {point(30, {30.1, 29.95, 30.0})};
        fit.volume = VolumeCheck{{1.0, 1.003, 0.8}, std::nullopt};
        fit.complete = true;
        fit.incompleteReason.clear();
        QTest::newRow("complete, no pulses, no current") << fit;
        fit.pulsesSkipped = QStringLiteral("нет модуля УСИ");
        fit.currentSkipped = QStringLiteral("у прибора нет токового выхода");
        QTest::newRow("checks not made, with their reasons") << fit;
        fit.volume.reset();
        fit.volumeSkipped = QStringLiteral("объем проверки не задан");
        QTest::newRow("no volume check") << fit;
        Protocol empty = fullProtocol();
        empty.points = {point(150, {}, false)};
        empty.volume.reset();
        QTest::newRow("ended before any reading") << empty;
    }

    void csvReadsBackTheSameProtocol()
    {
        QFETCH(Protocol, protocol);
        QString error;
        const std::optional<Protocol> read = parseProtocolCsv(protocolCsv(protocol), &error);
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(read->points, protocol.points);
        QCOMPARE(read->volume, protocol.volume);
        QCOMPARE(read->pulsesSkipped, protocol.pulsesSkipped);
        QCOMPARE(read->currentSkipped, protocol.currentSkipped);
        QCOMPARE(read->meter, protocol.meter);
        QVERIFY(*read == protocol);
    }

    void csvIsForSpreadsheets()
    {
        Protocol p = fullProtocol();
        p.complete = true;
        const QByteArray csv = protocolCsv(p);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        const QString text = QString::fromUtf8(csv.mid(3));
        QVERIFY(text.contains(QStringLiteral("Задержка dT, нс;97.30000000000001\r\n")));
        // The mean, minimum, maximum and error of each point are written for the reader.
        QVERIFY2(text.contains(QStringLiteral("\r\n150;150;151.23456789012 149.9 150;150.37818929670667;149.9;"
                                              "151.23456789012;0.2521261978044")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("\"A-17;\"\"Б\"\"\"")));
        QVERIFY(text.endsWith(QStringLiteral("Заключение;Не годен\r\n")));
    }

    void csvRefusesDamagedText_data()
    {
        QTest::addColumn<QByteArray>("csv");
        const QByteArray good = protocolCsv(fullProtocol());
        QTest::newRow("no byte order mark") << good.mid(3);
        QTest::newRow("cut in the header") << good.left(good.indexOf("Владелец"));
        QTest::newRow("cut in the points") << good.left(good.indexOf("\r\n150;") + 2);
        QByteArray badNumber = good;
        badNumber.replace("30.1 30.2", "30,1 30.2");
        QTest::newRow("a number with a comma") << badNumber;
        QTest::newRow("another file") << QByteArray("\xEF\xBB\xBFName;Value\r\n");
    }

    void csvRefusesDamagedText()
    {
        QFETCH(QByteArray, csv);
        QString error;
        QVERIFY(!parseProtocolCsv(csv, &error));
        QVERIFY(!error.isEmpty());
    }

    void pdfIsWritten()
    {
        QTemporaryDir dir;
        Protocol p = fullProtocol();
        p.complete = true;
        p.points[1].readings = {152.0, 151.1};
        p.points[1].current->permissiblePct = 0.02;
        const QString path = dir.filePath(QStringLiteral("protocol.pdf"));
        QVERIFY(writeProtocolPdf(p, path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.size() > 1000);
        QVERIFY(file.read(5) == "%PDF-");
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed: the PDF's text is not checked");
        QProcess reader;
        reader.start(pdftotext, {path, QStringLiteral("-")});
        QVERIFY(reader.waitForFinished());
        const QString text = QString::fromUtf8(reader.readAllStandardOutput());
        for (const QString& expected : {QStringLiteral("Заключение: Не годен"), QStringLiteral("Иванов И. И."),
                                        QStringLiteral("151.100"), QStringLiteral("м3/ч: 150"),
                                        QStringLiteral("12.0000 12.0040"),
                                        QStringLiteral("Погрешность токового выхода превышает допустимую в точках, м3/ч: 150")})
            QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" missing in:\n") + text));
    }

    void pdfReportsAnUnwritableFile()
    {
        QVERIFY(!writeProtocolPdf(fullProtocol(), QStringLiteral("/nonexistent-folder/protocol.pdf")));
    }

    void filesAreNamedBySerialNumberAndStart_data()
    {
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QString>("base");
        QTest::newRow("plain") << QStringLiteral("ДТК-1024") << QStringLiteral("ДТК-1024_2026-12-10_17-05-09");
        QTest::newRow("characters no file name takes")
            << QStringLiteral(" A/17: \"Б\"* ") << QStringLiteral("A-17-Б-_2026-12-10_17-05-09");
        QTest::newRow("none") << QString() << QStringLiteral("без-номера_2026-12-10_17-05-09");
    }

    void filesAreNamedBySerialNumberAndStart()
    {
        QFETCH(QString, serial);
        QFETCH(QString, base);
        Protocol p = fullProtocol();
        p.meter.serialNumber = serial;
        QCOMPARE(protocolFileBase(p), base);
    }

    void savedProtocolReadsBack()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("Протоколы/новые"));
        const Protocol p = fullProtocol();
        const SavedProtocol saved = saveProtocol(p, folder);
        QVERIFY2(saved.error.isEmpty(), qPrintable(saved.error));
        const QString base = folder + QLatin1Char('/') + protocolFileBase(p);
        QCOMPARE(saved.files, (QStringList{base + QStringLiteral(".pdf"), base + QStringLiteral(".csv")}));
        QFile pdf(saved.files[0]);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QFile csv(saved.files[1]);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QVERIFY(parseProtocolCsv(csv.readAll()) == p);
    }

    void unwritableFolderIsReported()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        const SavedProtocol saved = saveProtocol(fullProtocol(), blocker.fileName() + QStringLiteral("/protocols"));
        QVERIFY(saved.files.isEmpty());
        QVERIFY2(saved.error.contains(blocker.fileName() + QStringLiteral("/protocols")), qPrintable(saved.error));
    }

    void parametersAreKept()
    {
        QTemporaryDir dir;
        settings::IniFile ini(dir.filePath(QStringLiteral("ZTA.ini")));
        QCOMPARE(VerificationParameters::read(ini), VerificationParameters{});
        const VerificationParameters stored{1500, 4, 250, 3000, 0.05, {10, 40, 120, 310}};
        QVERIFY(stored.write(ini));
        QCOMPARE(VerificationParameters::read(settings::IniFile(ini.path())), stored);
    }

    void damagedParametersKeepTheirDefaults_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("points not numbers") << QStringLiteral("Points") << QStringLiteral("30,abc,300");
        QTest::newRow("a zero point") << QStringLiteral("Points") << QStringLiteral("30,0,300");
        QTest::newRow("no readings") << QStringLiteral("Readings") << QStringLiteral("0");
        QTest::newRow("negative settling") << QStringLiteral("SettleMs") << QStringLiteral("-5");
        QTest::newRow("negative volume") << QStringLiteral("Volume") << QStringLiteral("-1");
        QTest::newRow("volume with a comma") << QStringLiteral("Volume") << QStringLiteral("0,5");
    }

    void damagedParametersKeepTheirDefaults()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QTemporaryDir dir;
        settings::IniFile ini(dir.filePath(QStringLiteral("ZTA.ini")));
        QVERIFY(ini.writeString(QStringLiteral("AutoTest"), key, value));
        QCOMPARE(VerificationParameters::read(ini), VerificationParameters{});
    }

    void permissibleErrorSitsBesideTheCatalogue()
    {
        QTemporaryDir dir;
        settings::IniFile ini(dir.filePath(QStringLiteral("ZTA.ini")));
        const QString list = QStringLiteral("List");
        QVERIFY(ini.writeInteger(list, QStringLiteral("Count"), 2));
        QVERIFY(ini.writeString(list, QStringLiteral("Name1"), QStringLiteral("ДТК-300Т")));
        QVERIFY(ini.writeInteger(list, QStringLiteral("RegQ1"), 0));
        QVERIFY(ini.writeString(list, QStringLiteral("Name2"), QStringLiteral("Тервало ЛК (портативный)")));
        QVERIFY(ini.writeInteger(list, QStringLiteral("RegQ2"), 127));

        QCOMPARE(permissibleErrorPct(ini, 1), VerificationParameters::DefaultPermissibleErrorPct);
        QVERIFY(writePermissibleErrorPct(ini, 1, 1.5));

        const settings::IniFile reread(ini.path());
        QCOMPARE(permissibleErrorPct(reread, 1), 1.5);
        QCOMPARE(permissibleErrorPct(reread, 0), VerificationParameters::DefaultPermissibleErrorPct);
        QCOMPARE(reread.readInteger(list, QStringLiteral("Count"), -1), 2);
        QCOMPARE(reread.readString(list, QStringLiteral("Name2"), {}), QStringLiteral("Тервало ЛК (портативный)"));
        QCOMPARE(reread.readInteger(list, QStringLiteral("RegQ2"), -1), 127);
        QCOMPARE(reread.readString(list, QStringLiteral("Name1"), {}), QStringLiteral("ДТК-300Т"));
    }

    void unusablePermissibleErrorIsTheDefault_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("text") << QStringLiteral("много");
        QTest::newRow("zero") << QStringLiteral("0");
        QTest::newRow("negative") << QStringLiteral("-0.8");
        QTest::newRow("decimal comma") << QStringLiteral("1,5");
    }

    void unusablePermissibleErrorIsTheDefault()
    {
        QFETCH(QString, stored);
        QTemporaryDir dir;
        settings::IniFile ini(dir.filePath(QStringLiteral("ZTA.ini")));
        QVERIFY(ini.writeString(QStringLiteral("List"), QStringLiteral("MaxErr1"), stored));
        QCOMPARE(permissibleErrorPct(ini, 0), VerificationParameters::DefaultPermissibleErrorPct);
    }
};

QTEST_MAIN(TstAutoVerificationProtocol)
#include "tst_auto_verification_protocol.moc"
