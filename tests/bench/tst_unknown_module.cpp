// A module that was not found has address 0, the address every module obeys. Every workflow
// that sends to a bench module refuses up front when its module is unknown, naming the module,
// and sends nothing; a workflow that holds a module across its waits keeps the module search
// from rewriting the address it sends to.
#include "../modes/Workbench.h"

#include "bench/Qids.h"

#include <QTest>

#include <functional>

namespace {

enum class Which { Imr, Usi, Ipt };
using Action = std::function<void(test::Workbench&)>;

bench::TPZTA& module(test::Workbench& w, Which which)
{
    bench::Modules& m = w.ctx().modules;
    switch (which) {
    case Which::Imr: return m.ImrModule;
    case Which::Usi: return m.UsiModule;
    case Which::Ipt: return m.IptModule;
    }
    Q_UNREACHABLE();
}

QString notFound(const char* name)
{
    return QStringLiteral("Модуль %1 не обнаружен: выполните «Проверка связи»").arg(QString::fromUtf8(name));
}

int requestsOf(const test::FailingServer& server, int qid)
{
    return server.count(qid);
}

}  // namespace

Q_DECLARE_METATYPE(Which)
Q_DECLARE_METATYPE(Action)

class TstUnknownModule : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusedUpFrontWithNothingSent_data()
    {
        QTest::addColumn<Which>("which");
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("message");
        const QString imr = notFound("ИМР"), usi = notFound("УСИ"), ipt = notFound("ИПТ");
        auto row = [](const char* name, Which which, Action action, const QString& message) {
            QTest::newRow(name) << which << action << message;
        };
        row("ИМР: частота кварца", Which::Imr, [](test::Workbench& w) { w.form().imr.BtnF.click(); }, imr);
        row("ИМР: t0", Which::Imr, [](test::Workbench& w) { w.form().imr.btnT0.click(); }, imr);
        row("ИМР: t1", Which::Imr, [](test::Workbench& w) { w.form().imr.BtnT1.click(); }, imr);
        row("ИМР: настройка DA1", Which::Imr, [](test::Workbench& w) { w.form().imr.BtnStartDa1.click(); }, imr);
        row("ИМР: настройка DA2", Which::Imr, [](test::Workbench& w) { w.form().imr.BtnStartDa2.click(); }, imr);
        row("ИМР: бит эмуляции 0", Which::Imr, [](test::Workbench& w) { w.form().imr.Button14.click(); }, imr);
        row("ИМР: бит эмуляции 1", Which::Imr, [](test::Workbench& w) { w.form().imr.Button15.click(); }, imr);
        row("ИМР: чтение бита эмуляции", Which::Imr, [](test::Workbench& w) { w.form().imr.Label30.click(); }, imr);
        row("ИМР: калибровка линии задержки", Which::Imr, [](test::Workbench& w) { w.form().imr.Button29.click(); }, imr);
        row("ИМР: подсчёт автоциркуляций", Which::Imr, [](test::Workbench& w) { w.form().config.BtnCount.click(); }, imr);
        row("ИМР: имитация расхода", Which::Imr, [](test::Workbench& w) { w.form().imitQ.btnImit.click(); }, imr);
        row("ИМР: поверка расхода", Which::Imr, [](test::Workbench& w) { w.form().poverQ.BtnStartPover.click(); }, imr);
        row("ИМР: поверка объёма", Which::Imr, [](test::Workbench& w) { w.form().poverV.BtnQ2Start.click(); }, imr);
        row("УСИ: чтение счётчиков", Which::Usi, [](test::Workbench& w) { w.form().usiGroup.ChbCnt1.click(); }, usi);
        row("УСИ: сброс всех", Which::Usi, [](test::Workbench& w) { w.form().usiGroup.Button6.click(); }, usi);
        row("УСИ: сброс входа", Which::Usi, [](test::Workbench& w) { w.form().usiGroup.Button8.click(); }, usi);
        row("УСИ: режим входа", Which::Usi, [](test::Workbench& w) { w.form().usiGroup.PnlUsi3.click(); }, usi);
        row("ИПТ: чтение токов", Which::Ipt, [](test::Workbench& w) { w.form().iptGroup.ChbTok.click(); }, ipt);
        row("ИПТ: чтение токов на странице", Which::Ipt, [](test::Workbench& w) { w.form().ipt.CHBTok1.click(); }, ipt);
        row("ИПТ: ток вручную", Which::Ipt, [](test::Workbench& w) { w.form().ipt2.Button1.click(); }, ipt);
        row("ИПТ: калибровка", Which::Ipt,
            [](test::Workbench& w) {
                w.form().ipt2.RgCanal.setItemIndex(0);
                w.form().ipt2.Button2.click();
            },
            ipt);
        row("Параметры модуля", Which::Ipt, [](test::Workbench& w) { w.main->PropertyFrm.showFor(w.ctx().modules.IptModule); }, ipt);
    }

    void refusedUpFrontWithNothingSent()
    {
        QFETCH(Which, which);
        QFETCH(Action, action);
        QFETCH(QString, message);
        test::Workbench w;
        QVERIFY(w.connected);
        QTest::qWait(0);
        module(w, which).Adr = 0;
        w.bench->requests.clear();
        w.dialogs.clear();

        action(w);

        QCOMPARE(w.dialogs.messages, QStringList{message});
        QVERIFY(w.bench->requests.isEmpty());
        QVERIFY(!w.main->PropertyFrm.form.isVisible());
    }

    // The search sets every address to 0 before it asks: during a calibration's pause it
    // would send the remaining steps to every module at once.
    void searchDuringTheIptCalibrationIsRefused()
    {
        test::Workbench w;
        QVERIFY(w.connected);
        const quint8 ipt = w.ctx().modules.IptModule.Adr;
        bool searched = false;
        w.main->iptCalibration.pause = [&](int) {
            if (!std::exchange(searched, true))
                w.form().config.BitBtn5.click();
        };
        w.bench->requests.clear();
        w.form().ipt2.RgCanal.setItemIndex(0);
        w.form().ipt2.Button2.click();

        QVERIFY(searched);
        QCOMPARE(w.dialogs.messages.first(),
                 QStringLiteral("Проверка связи невозможна, пока идёт калибровка ИПТ: сначала завершите это"));
        QCOMPARE(w.dialogs.lastMessage(), QStringLiteral("Калибровка прошла успешно!"));
        QCOMPARE(requestsOf(*w.bench, bench::qid::DeviceName), 0);
        QCOMPARE(w.ctx().modules.IptModule.Adr, ipt);
        for (const comm::Request& r : std::as_const(w.bench->requests))
            QCOMPARE(r.address, int(ipt));
        // Once the calibration is over the search runs.
        w.form().config.BitBtn5.click();
        QCOMPARE(requestsOf(*w.bench, bench::qid::DeviceName), 10);
    }

    // The dialog writes to its module's present address while it is open; a search would
    // make that address 0 and an address written then would reach all three modules.
    void searchWhileModuleParametersAreOpenIsRefused()
    {
        test::Workbench w;
        QVERIFY(w.connected);
        w.main->PropertyFrm.showFor(w.ctx().modules.UsiModule);
        QVERIFY(w.main->PropertyFrm.form.isVisible());
        w.bench->requests.clear();
        w.form().config.BitBtn5.click();
        QCOMPARE(w.dialogs.lastMessage(),
                 QStringLiteral("Проверка связи невозможна, пока открыто окно «Параметры модуля»: сначала завершите это"));
        QCOMPARE(requestsOf(*w.bench, bench::qid::DeviceName), 0);
        QVERIFY(w.ctx().modules.UsiModule.Adr != 0);

        w.main->PropertyFrm.form.Button1.click();  // "Закрыть"
        QVERIFY(!w.main->PropertyFrm.form.isVisible());
        w.form().config.BitBtn5.click();
        QCOMPARE(requestsOf(*w.bench, bench::qid::DeviceName), 10);
    }

    // One workflow at a time holds a module: a second one that would drive it is refused.
    void aHeldModuleRefusesASecondHolder()
    {
        test::Workbench w;
        QVERIFY(w.connected);
        w.main->PropertyFrm.showFor(w.ctx().modules.IptModule);
        w.bench->requests.clear();
        w.form().ipt2.RgCanal.setItemIndex(0);
        w.form().ipt2.Button2.click();
        QCOMPARE(w.dialogs.lastMessage(), QStringLiteral("Модуль ИПТ занят: открыто окно «Параметры модуля»"));
        QVERIFY(w.bench->requests.isEmpty());
        QVERIFY(w.form().ipt2.Button2.isEnabled());
    }
};

QTEST_GUILESS_MAIN(TstUnknownModule)
#include "tst_unknown_module.moc"
