// Every answer of the bench line: which result slot takes its Result, what a successful
// answer decodes and shows, and that a failing one keeps what was there.
#include "../support/MainFixture.h"

#include "link/DataType.h"
#include "link/Result.h"
#include "shell/input/NumberFormat.h"

#include <QTest>

#include <algorithm>
#include <array>

namespace {

using SlotMember = int bench::BenchSlots::*;
// What a row looks at after an answer, as text.
using Probe = std::function<QString(app::TMainFrm&)>;

QVariantList list(std::initializer_list<QVariant> values) { return QVariantList(values); }

QVariantList u32s(std::initializer_list<quint32> values)
{
    QVariantList l;
    for (quint32 v : values)
        l.append(comm::u32(v));
    return l;
}

QVariantList f32s(std::initializer_list<float> values)
{
    QVariantList l;
    for (float v : values)
        l.append(comm::f32(v));
    return l;
}

template <class T>
QString join(const T& values)
{
    QStringList parts;
    for (const auto& v : values)
        parts.append(QString::number(v));
    return parts.join(' ');
}

QString captions(std::initializer_list<const ui::Control*> controls)
{
    QStringList parts;
    for (const ui::Control* c : controls)
        parts.append(c->caption());
    return parts.join(' ');
}

struct Window : test::MainFixture {
    void answer(int qid, const QVariant& value, int result = 0) { bench->answer(qid, value, result, 1, true); }
    bench::BenchSlots& slots() { return main->ctx.state.results; }
    bench::BenchValues& values() { return main->ctx.state.values; }
};

}  // namespace

Q_DECLARE_METATYPE(SlotMember)
Q_DECLARE_METATYPE(Probe)

class TstBenchDispatcher : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { input::setDecimalSeparator('.'); }

    void resultGoesToItsSlot_data()
    {
        using S = bench::BenchSlots;
        QTest::addColumn<int>("qid");
        QTest::addColumn<SlotMember>("slot");  // null: no slot takes it
        const std::pair<int, SlotMember> rows[] = {
            {1, &S::ResAdrWrite},          {2, &S::ResSpeedWrite},       {3, &S::ResRtsWrite},
            {-11, &S::ResEmulBit},         {11, &S::ResEmulBit},         {12, &S::ResPolarityBit},
            {300002, &S::ResImrStateRead}, {316385, &S::ResAutoCircRead}, {332771, &S::ResImitTimeRead},
            {332772, &S::ResImitTimeOnce}, {332773, &S::ResCalibSumsRead}, {400004, &S::ResImrCommand},  {416386, &S::ResConvCountWrite},
            {416387, &S::ResDelayCountWrite}, {432773, &S::ResImitTimeWrite}, {432775, &S::ResFoscRead},
            {449153, &S::ResT0T1Read},     {600011, &S::ResUsiModeWrite}, {732769, &S::ResIptSumsRead},
            {749153, &S::ResIptCurrents},  {749154, &S::ResIptCurrentsCalib}, {800004, &S::ResIptCommand},
            {816385, &S::ResIptDacWrite},  {849153, &S::ResIptScaleWrite}, {849161, &S::ResIptOffsetWrite},
            {232775, nullptr}, {249153, nullptr}, {249155, nullptr}, {300007, nullptr}, {500011, nullptr},
            {532769, nullptr}, {600004, nullptr}, {17, nullptr}, {-1, nullptr}, {4, nullptr}, {123456, nullptr},
        };
        for (const auto& [qid, slot] : rows)
            QTest::addRow("%d", qid) << qid << slot;
    }
    void resultGoesToItsSlot()
    {
        QFETCH(int, qid);
        QFETCH(SlotMember, slot);
        Window w;
        // Every slot pending, so that any slot the answer touches shows.
        auto* all = reinterpret_cast<int*>(&w.slots());
        const int count = int(sizeof(bench::BenchSlots) / sizeof(int));
        std::fill_n(all, count, -1);
        w.answer(qid, QVariant(), comm::ResultBusy);
        for (int i = 0; i < count; ++i) {
            const bool expected = slot && &(w.slots().*slot) == all + i;
            QCOMPARE(all[i], expected ? int(comm::ResultBusy) : -1);
        }
    }

    void decodesOnSuccessOnly_data()
    {
        QTest::addColumn<int>("qid");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<Probe>("probe");
        QTest::addColumn<QString>("afterSuccess");
        QTest::addColumn<QString>("afterFailure");  // a second answer, failing, with other data

        auto v = [](app::TMainFrm& m) -> bench::BenchValues& { return m.ctx.state.values; };
        QTest::newRow("automaton state")
            << 300002 << QVariant(list({comm::u8(2), comm::u8(1), comm::u8(5)}))
            << Probe([v](auto& m) { return join(std::array{v(m).ImrState, v(m).ImrError, v(m).ImrLastCmd}); })
            << "2 1 5" << "255 1 5";
        QTest::newRow("autocirculations") << 316385 << comm::u16(300)
                                          << Probe([v](auto& m) { return QString::number(v(m).AutoCircCount); })
                                          << "300" << "300";
        QTest::newRow("calibration sums")
            << 332773 << QVariant(u32s({1, 2, 3, 4, 5, 6, 7, 8, 9, 4000000000u}))
            << Probe([v](auto& m) -> QString { return join(v(m).DelayCalib[0].Sum) + " / " + join(v(m).DelayCalib[1].Sum); })
            << "1 2 3 4 5 / 6 7 8 9 4000000000" << "1 2 3 4 5 / 6 7 8 9 4000000000";
        QTest::newRow("quartz frequency") << 432775 << comm::u32(1200000000u)
                                          << Probe([v](auto& m) { return QString::number(v(m).FoscRaw); })
                                          << "1200000000" << "1200000000";
        QTest::newRow("t0 t1") << 449153 << QVariant(f32s({12.5f, 30.25f}))
                               << Probe([v](auto& m) { return join(std::array{v(m).T0, v(m).T1}); })
                               << "12.5 30.25" << "12.5 30.25";
        QTest::newRow("current meter sums")
            << 732769 << QVariant(u32s({10, 20, 30, 40}))
            << Probe([v](auto& m) { return join(v(m).IptSums); }) << "10 20 30 40" << "10 20 30 40";
        QTest::newRow("emulation bit") << -11 << QVariant(list({comm::boolean(true)}))
                                       << Probe([v](auto& m) { return QString::number(v(m).EmulBit); })
                                       << "1" << "1";
        QTest::newRow("elapsed time") << 332771 << comm::u32(4000)
                                      << Probe([v](auto& m) { return QString::number(v(m).ImitTimeMs); })
                                      << "4000" << "4000";
        QTest::newRow("elapsed time once") << 332772 << comm::u32(4000)
                                           << Probe([v](auto& m) { return QString::number(v(m).ImitTimeMs); })
                                           << "4000" << "4000";
        QTest::newRow("SAR data") << 300007 << comm::u8(128)
                                  << Probe([](auto& m) { return m.form.imr.lblDa1.caption(); })
                                  << "128" << comm::resultText(comm::ResultBusy);
        QTest::newRow("pulse counters")
            << 532769 << QVariant(u32s({1, 22, 333, 4000000000u}))
            << Probe([](auto& m) {
                   auto& g = m.form.usiGroup;
                   return captions({&g.EdtCnt1, &g.EdtCnt2, &g.EdtCnt3, &g.EdtCnt4});
               })
            << "1 22 333 4000000000" << "1 22 333 4000000000";
        QTest::newRow("currents")
            << 749153 << QVariant(f32s({4.0f, 12.3456f, 20.5f, 0.0f}))
            << Probe([](auto& m) {
                   auto& g = m.form.iptGroup;
                   auto& p = m.form.ipt;
                   return captions({&g.EdtI1, &g.EdtI2, &g.EdtI3, &g.EdtI4, &p.EdtI11, &p.EdtI12, &p.EdtI13, &p.EdtI14});
               })
            << "4 12.346 20.5 0 4 12.346 20.5 0" << "4 12.346 20.5 0 4 12.346 20.5 0";
        QTest::newRow("currents for calibration")
            << 749154 << QVariant(f32s({1.0f, 2.0f, 3.0f, 4.0f}))
            << Probe([](auto& m) {
                   auto& g = m.form.iptGroup;
                   return captions({&g.EdtI1, &g.EdtI2, &g.EdtI3, &g.EdtI4, &m.form.ipt.EdtI14});
               })
            << "1 2 3 4 4" << "1 2 3 4 4";
    }
    void decodesOnSuccessOnly()
    {
        QFETCH(int, qid);
        QFETCH(QVariant, value);
        QFETCH(Probe, probe);
        QFETCH(QString, afterSuccess);
        QFETCH(QString, afterFailure);
        Window w;
        w.answer(qid, value);
        QCOMPARE(probe(*w.main), afterSuccess);
        QVariant other = value.metaType() == QMetaType::fromType<QVariantList>() ? QVariant(QVariantList()) : QVariant(0);
        w.answer(qid, other, comm::ResultBusy);
        QCOMPARE(probe(*w.main), afterFailure);
    }

    void imitatedVolume_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<bool>("timerRunning");
        QTest::addColumn<QString>("volume");
        QTest::addColumn<QString>("seconds");  // edttime and EdtTime2; "-" where they keep their text
        QTest::newRow("timer stopped") << QChar('.') << false << "0.3" << "90";
        QTest::newRow("timer running, comma") << QChar(',') << true << "0,3" << "-";
    }
    void imitatedVolume()
    {
        QFETCH(QChar, separator);
        QFETCH(bool, timerRunning);
        QFETCH(QString, volume);
        QFETCH(QString, seconds);
        input::setDecimalSeparator(separator);
        Window w;
        auto& f = w.form();
        f.imitV.edttime.setText("-");
        f.poverV.EdtTime2.setText("-");
        f.Timer1.setRunning(timerRunning);
        w.values().ImitatedFlow = 12;
        w.answer(332771, comm::u32(90000));
        f.Timer1.setRunning(false);
        QCOMPARE(w.values().ImitTimeMs, 90000);
        QCOMPARE(f.imitV.EdtNaborV.text(), volume);
        QCOMPARE(f.poverV.EdtPoverV.text(), volume);
        QCOMPARE(w.main->calcFrm.VEtalon(), 0.3);
        QCOMPARE(f.imitV.edttime.text(), seconds);
        QCOMPARE(f.poverV.EdtTime2.text(), seconds);
    }

    void emulationBitRead_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<bool>("bit");
        QTest::newRow("array of one") << QVariant(list({comm::boolean(true)})) << 0 << "true" << true;
        QTest::newRow("bare value") << comm::boolean(true) << 0 << "true" << true;
        QTest::newRow("bare false") << comm::boolean(false) << 0 << "false" << false;
        QTest::newRow("failure") << comm::boolean(true) << int(comm::ResultNoAnswer) << "error" << false;
    }
    void emulationBitRead()
    {
        QFETCH(QVariant, value);
        QFETCH(int, result);
        QFETCH(QString, panel);
        QFETCH(bool, bit);
        Window w;
        w.answer(-11, value, result);
        QCOMPARE(w.form().SB.panelText(0), panel);
        QCOMPARE(w.values().EmulBit, bit);
    }

    void tuningWrites_data()
    {
        QTest::addColumn<int>("qid");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("failure");
        QTest::newRow("frequency") << 232775 << "BtnF" << "Запись Частоты не прошла! ";
        QTest::newRow("t0") << 249153 << "btnT0" << "Запись T0 не прошла! ";
        QTest::newRow("t1") << 249155 << "BtnT1" << "Запись T1 не прошла! ";
    }
    void tuningWrites()
    {
        QFETCH(int, qid);
        QFETCH(QString, button);
        QFETCH(QString, failure);
        Window w;
        ui::Control* b = w.form().find(button);
        QVERIFY(b);
        for (int result : {0, int(comm::ResultCrc)}) {
            b->setEnabled(false);
            w.answer(qid, QVariant(), result);
            QVERIFY(b->isEnabled());
        }
        QCOMPARE(w.dialogs.messages, QStringList{failure + "\r" + comm::resultText(comm::ResultCrc)});
    }

    void usiInputModes()
    {
        Window w;
        auto& g = w.form().usiGroup;
        w.answer(500011, list({comm::boolean(true), comm::boolean(false), comm::boolean(true), comm::boolean(false)}));
        const ui::Panel* panels[] = {&g.PnlUsi1, &g.PnlUsi2, &g.PnlUsi3, &g.PnlUsi4};
        for (int n = 0; n < 4; ++n) {
            const bool passive = n % 2 == 0;
            QCOMPARE(panels[n]->caption(), passive ? QString("Пассивный") : QString("Активный"));
            QCOMPARE(panels[n]->font().color, passive ? ui::colors::Black : ui::colors::Red);
            QCOMPARE(panels[n]->bevel(), passive ? ui::Bevel::Raised : ui::Bevel::Lowered);
        }
        w.answer(500011, list({comm::boolean(false), comm::boolean(false), comm::boolean(false), comm::boolean(false)}),
                 comm::ResultNoAnswer);
        QCOMPARE(g.PnlUsi1.caption(), QString("Пассивный"));
    }

    void statisticsFollowTheCheckedChannel_data()
    {
        QTest::addColumn<int>("qid");
        QTest::addColumn<QString>("radio");  // empty: none checked
        QTest::addColumn<double>("fed");
        QTest::newRow("counter 3") << 532769 << "rbv2" << 30.0;
        QTest::newRow("no counter chosen") << 532769 << "" << 0.0;
        QTest::newRow("current 2") << 749153 << "rbi1" << 2.5;
        QTest::newRow("no current chosen") << 749153 << "" << 0.0;
        QTest::newRow("calibration currents") << 749154 << "rbi1" << 0.0;
    }
    void statisticsFollowTheCheckedChannel()
    {
        QFETCH(int, qid);
        QFETCH(QString, radio);
        QFETCH(double, fed);
        Window w;
        for (const char* name : {"rbv0", "rbv1", "rbv2", "rbv3", "rbi0", "rbi1", "rbi2", "rbi3"})
            static_cast<ui::RadioButton*>(w.form().find(name))->setChecked(false);
        if (!radio.isEmpty())
            static_cast<ui::RadioButton*>(w.form().find(radio))->setChecked(true);
        const QVariant value = qid == 532769 ? QVariant(u32s({10, 20, 30, 40})) : QVariant(f32s({1.5f, 2.5f, 3.5f, 4.5f}));
        w.answer(qid, value);
        const auto& calc = w.main->calcFrm;
        QCOMPARE(qid == 532769 ? calc.ImpIzm() : calc.IIzm(), fed);
    }

    void activityIndicatorTurns()
    {
        Window w;
        QStringList shown;
        for (int i = 0; i < 5; ++i) {
            w.answer(532769, u32s({0, 0, 0, 0}));
            shown.append(w.form().usiGroup.lbls2.caption());
        }
        QCOMPARE(shown, (QStringList{"/", "--", "\\", "|", "/"}));
        w.answer(532769, u32s({0, 0, 0, 0}), comm::ResultNoAnswer);
        QCOMPARE(w.form().usiGroup.lbls2.caption(), QString("/"));

        w.answer(749153, f32s({0, 0, 0, 0}));
        w.answer(749153, f32s({0, 0, 0, 0}));
        QCOMPARE(w.form().iptGroup.LblS1.caption(), QString("--"));
        QCOMPARE(w.form().ipt.Label85.caption(), QString("--"));
    }

    void unhandledAnswersChangeNothing_data()
    {
        QTest::addColumn<int>("qid");
        QTest::newRow("counter reset") << 600004;
        QTest::newRow("unknown") << 777777;
        QTest::newRow("meter numbering") << 4;
    }
    void unhandledAnswersChangeNothing()
    {
        QFETCH(int, qid);
        Window w;
        auto snapshot = [&]() -> QString {
            const auto& v = w.values();
            const auto& f = w.form();
            return join(std::array{v.ImrState, v.AutoCircCount, v.ImitTimeMs, v.IptSums[0], qint32(v.FoscRaw)}) + ' '
                   + captions({&f.usiGroup.EdtCnt1, &f.usiGroup.lbls2, &f.iptGroup.EdtI1, &f.iptGroup.LblS1,
                               &f.Label84, &f.imitV.EdtNaborV}) + ' ' + f.SB.panelText(0);
        };
        const QString before = snapshot();
        for (int result : {0, int(comm::ResultCrc)})
            w.answer(qid, u32s({1, 2, 3, 4}), result);
        QCOMPARE(snapshot(), before);
        QVERIFY(w.dialogs.messages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstBenchDispatcher)
#include "tst_bench_dispatcher.moc"
