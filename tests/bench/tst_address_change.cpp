// A module given a new address through "Свойства" on the simulated bench answers there at
// once, and the next "Проверка связи" finds it there.
#include "../modes/Workbench.h"

#include <QTest>

class TstAddressChange : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void moduleMovesAndIsFoundThere()
    {
        test::Workbench w;
        QVERIFY(w.connected);
        auto& cfg = w.form().config;
        cfg.sg.selectRow(1);  // ИМР
        QVERIFY(cfg.BtnPropZTA.isEnabled());
        cfg.BtnPropZTA.click();
        auto& dialog = w.main->PropertyFrm.form;
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.EdtAdr.text(), QString("1"));
        dialog.EdtAdr.setText("7");
        dialog.Button2.click();
        QVERIFY2(w.dialogs.messages.isEmpty(), qPrintable(w.dialogs.messages.join('|')));
        QCOMPARE(int(w.ctx().modules.ImrModule.Adr), 7);
        // The module answers at its new address right away.
        QVERIFY(w.main->imr.ReadImrState());

        dialog.Button1.click();  // "Закрыть": no search while the dialog holds the module
        cfg.BitBtn5.click();
        QTRY_VERIFY(cfg.BitBtn5.isEnabled());
        QCOMPARE(int(w.ctx().modules.ImrModule.Adr), 7);
        QCOMPARE(cfg.sg.cell(1, 1), QString("7"));
        QCOMPARE(w.ctx().modules.UsiModule.Adr, quint8(2));
    }

    void addressNobodyCanTakeIsRefused()
    {
        test::Workbench w;
        w.form().config.sg.selectRow(1);
        w.form().config.BtnPropZTA.click();
        auto& dialog = w.main->PropertyFrm.form;
        dialog.EdtAdr.setText("300");
        w.bench->requests.clear();
        dialog.Button2.click();
        QCOMPARE(w.dialogs.messages, QStringList{"Адрес прибора «300» вне пределов: допустимо от 1 до 247."});
        QVERIFY(w.bench->requests.isEmpty());
        QCOMPARE(int(w.ctx().modules.ImrModule.Adr), 1);
    }
};

QTEST_GUILESS_MAIN(TstAddressChange)
#include "tst_address_change.moc"
