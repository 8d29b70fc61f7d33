// Tuning of the imitation module on the simulated bench: the quartz frequency and the times,
// the two converter tuning modes, one started while the other runs.
#include "../modes/Workbench.h"

#include "link/Result.h"
#include "shell/input/NumberFormat.h"

#include <QTest>

namespace {

constexpr int kCommandQid = 400004;
constexpr int kStateReg = 1;
constexpr int kFoscReg = 0x8006;
constexpr int kPolarityCoil = 1;

QList<int> commands(const test::FailingServer& s)
{
    QList<int> codes;
    for (const comm::Request& r : s.requests)
        if (r.qid == kCommandQid)
            codes.append(r.value.toInt());
    return codes;
}

}  // namespace

class TstImrTuning : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { input::setDecimalSeparator('.'); }

    void quartzFrequency_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("written");  // -1: refused, nothing sent
        QTest::addColumn<QString>("message");
        QTest::newRow("40 MHz") << "40" << qint64(4000000000) << "";
        QTest::newRow("largest") << "42.94967295" << qint64(4294967295) << "";
        QTest::newRow("beyond 32 bits") << "42.95" << qint64(-1)
                                        << "Частота кварца 42.95 МГц не помещается в регистр модуля ИМР: "
                                           "допустимо от 0 до 42.94967295 МГц.";
        QTest::newRow("not a number") << "4O" << qint64(-1) << "«4O» не является числом";
    }
    void quartzFrequency()
    {
        QFETCH(QString, typed);
        QFETCH(qint64, written);
        QFETCH(QString, message);
        test::Workbench w;
        auto& page = w.form().imr;
        page.Edit28.setText(typed);
        w.bench->requests.clear();
        page.BtnF.click();
        QCOMPARE(w.dialogs.messages, message.isEmpty() ? QStringList() : QStringList{message});
        if (written < 0) {
            QVERIFY(w.bench->requests.isEmpty());
            QVERIFY(page.BtnF.isEnabled());
            return;
        }
        QVERIFY(!page.BtnF.isEnabled());  // until the answer
        QTRY_VERIFY(page.BtnF.isEnabled());
        const quint32 stored = (quint32(w.equipment.holding(sim::Module::Imr, kFoscReg)) << 16)
                               | w.equipment.holding(sim::Module::Imr, kFoscReg + 1);
        QCOMPARE(qint64(stored), written);
    }

    void timeTakesThePlatformSeparatorOnly_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<bool>("sent");
        QTest::newRow("point") << QChar('.') << true;
        QTest::newRow("comma") << QChar(',') << false;
    }
    void timeTakesThePlatformSeparatorOnly()
    {
        QFETCH(QChar, separator);
        QFETCH(bool, sent);
        input::setDecimalSeparator(separator);
        test::Workbench w;
        w.form().imr.Edit29.setText("12.5");
        w.bench->requests.clear();
        w.form().imr.btnT0.click();
        QCOMPARE(w.bench->count(249153), sent ? 1 : 0);
        QCOMPARE(w.dialogs.messages.size(), sent ? 0 : 1);
    }

    void da1ShowsTheSarDataUntilStopped()
    {
        test::Workbench w;
        auto& page = w.form().imr;
        page.lblDa1.setCaption("...");
        page.BtnStartDa1.click();
        QVERIFY2(w.dialogs.messages.isEmpty(), qPrintable(w.dialogs.messages.join('|')));
        QCOMPARE(int(w.equipment.input(sim::Module::Imr, kStateReg)), 6);
        QVERIFY(!page.BtnStartDa1.isEnabled() && page.BtnStopDa1.isEnabled());
        QTRY_VERIFY(page.lblDa1.caption() != "...");
        bool number = false;
        page.lblDa1.caption().toInt(&number);
        QVERIFY(number);

        page.BtnStopDa1.click();
        QCOMPARE(commands(*w.bench).last(), 9);
        QVERIFY(page.BtnStartDa1.isEnabled() && !page.BtnStopDa1.isEnabled());
        QCOMPARE(int(w.equipment.input(sim::Module::Imr, kStateReg)), 0);
    }

    void da2WithPolarityThenDa1()
    {
        test::Workbench w;
        auto& page = w.form().imr;
        page.ChbPolar.setChecked(true);
        page.RGDa2.setItemIndex(2);  // "Осциллограф"
        page.BtnStartDa2.click();
        QVERIFY(w.equipment.coil(sim::Module::Imr, kPolarityCoil));
        QCOMPARE(commands(*w.bench).last(), 7);
        QCOMPARE(int(w.equipment.input(sim::Module::Imr, kStateReg)), 5);
        QVERIFY(!page.BtnStartDa2.isEnabled() && !page.ChbPolar.isEnabled() && page.BtnStopDa2.isEnabled());

        // DA1 while DA2 runs: the return to idle stops DA2 first.
        w.bench->requests.clear();
        page.BtnStartDa1.click();
        QCOMPARE(commands(*w.bench), (QList<int>{9, 8}));
        QCOMPARE(int(w.equipment.input(sim::Module::Imr, kStateReg)), 6);
    }

    void failedStartSaysSo()
    {
        test::Workbench w;
        w.bench->failures.insert(12, comm::ResultBusy);
        w.form().imr.BtnStartDa2.click();
        QCOMPARE(w.dialogs.messages, QStringList{"Не удалось записать полярность "});
        QVERIFY(w.form().imr.BtnStartDa2.isEnabled());
    }
};

QTEST_GUILESS_MAIN(TstImrTuning)
#include "tst_imr_tuning.moc"
