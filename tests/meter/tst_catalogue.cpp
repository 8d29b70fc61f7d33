// The meter type catalogue and the stored module addresses in ZTA.ini.
#include "../support/ScriptedDialogs.h"
#include "meter/MProFrm.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"

#include <QTemporaryDir>
#include <QTest>

struct CatalogueFixture {
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    bench::Modules modules;
    meter::TMProFrm catalogue{modules};
    CatalogueFixture() { settings::setSettingsDirectory(dir.path()); }
    settings::IniFile ini() const { return settings::IniFile(settings::ztaIniPath()); }
};

class TstCatalogue : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingFileKeepsTheCatalogueEmpty()
    {
        CatalogueFixture f;
        f.catalogue.readINI();
        QCOMPARE(f.catalogue.CPrib, 0);
        QCOMPARE(f.catalogue.Imr, 0);
        QVERIFY(f.catalogue.form.chbType.items().isEmpty());
    }

    void countReads_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("comboText");
        QTest::newRow("empty") << 0 << 0 << "Список пуст";
        QTest::newRow("negative reads as empty") << -3 << 0 << "Список пуст";
        QTest::newRow("two") << 2 << 2 << "";
    }
    void countReads()
    {
        QFETCH(int, count);
        QFETCH(int, entries);
        QFETCH(QString, comboText);
        CatalogueFixture f;
        f.ini().writeInteger("List", "count", count);
        f.catalogue.readINI();
        QCOMPARE(f.catalogue.CPrib, entries);
        QCOMPARE(f.catalogue.Prib.size(), entries);
        QCOMPARE(f.catalogue.form.chbType.items().size(), entries);
        QCOMPARE(f.catalogue.form.chbType.text(), comboText);
    }

    void missingEntriesReadAsUnknown()
    {
        CatalogueFixture f;
        auto ini = f.ini();
        ini.writeInteger("List", "Count", 2);
        ini.writeString("List", "Name1", "ДТК");
        ini.writeInteger("List", "RegQ1", 7);
        f.catalogue.readINI();
        QCOMPARE(f.catalogue.Prib[0].Name, QString("ДТК"));
        QCOMPARE(f.catalogue.Prib[0].RegQ, 7);
        QCOMPARE(f.catalogue.Prib[1].Name, QString("Unknow"));
        QCOMPARE(f.catalogue.Prib[1].RegAc, 0);
        QCOMPARE(f.catalogue.Prib[1].RegV, 0);
    }

    void longNamesAreCutAndWrittenBackCut()
    {
        CatalogueFixture f;
        const QString longName = QString(60, u'Ж');
        f.ini().writeInteger("List", "Count", 1);
        f.ini().writeString("List", "Name1", longName);
        f.catalogue.readINI();
        QCOMPARE(f.catalogue.Prib[0].Name.size(), 50);
        f.catalogue.writeIni();
        QCOMPARE(f.ini().readString("List", "Name1", ""), longName.left(50));
    }

    void writeStoresTheDescriptorsAddresses()
    {
        CatalogueFixture f;
        f.ini().writeInteger("ZTA Address", "IMR", 9);
        f.catalogue.readINI();
        f.modules.ImrModule.Adr = 1;
        f.modules.UsiModule.Adr = 2;
        f.modules.IptModule.Adr = 0;
        f.catalogue.form.show();
        f.catalogue.writeIni();
        QVERIFY(!f.catalogue.form.isVisible());
        QCOMPARE(f.ini().readInteger("ZTA Address", "IMR", -1), 1);
        QCOMPARE(f.ini().readInteger("ZTA Address", "USI", -1), 2);
        QCOMPARE(f.ini().readInteger("ZTA Address", "IPT", -1), 0);
        QCOMPARE(f.ini().readInteger("List", "Count", -1), 0);
    }

    void addingAnEntry()
    {
        CatalogueFixture f;
        auto& d = f.catalogue.form;
        d.Button1.click();
        QCOMPARE(d.Button1.caption(), QString("Ввести"));
        QVERIFY(d.Button2.isEnabled());
        QVERIFY(!d.chbType.isEnabled());
        d.Edit1.setText("КС-новый");
        d.Edit2.setText("5");
        d.Edit3.setText("10");
        d.Edit4.setText("12");
        d.Button1.click();
        QCOMPARE(f.catalogue.CPrib, 1);
        QCOMPARE(f.catalogue.Prib[0].Name, QString("КС-новый"));
        QCOMPARE(f.catalogue.Prib[0].RegV, 12);
        QCOMPARE(d.Button1.caption(), QString("Добавить"));
        QVERIFY(!d.Button2.isEnabled());
        d.BitBtn4.click();
        QCOMPARE(f.ini().readString("List", "Name1", ""), QString("КС-новый"));
        QCOMPARE(f.ini().readInteger("List", "RegAC1", -1), 5);
    }

    void mistypedRegisterAddsNothing()
    {
        CatalogueFixture f;
        auto& d = f.catalogue.form;
        d.Button1.click();
        d.Edit1.setText("X");
        d.Edit3.setText("1o");
        d.Button1.click();
        QCOMPARE(f.dialogs.lastMessage(), QString("«1o» не является целым числом"));
        QCOMPARE(f.catalogue.CPrib, 0);
        QCOMPARE(d.Button1.caption(), QString("Ввести"));  // the operator can correct it
    }

    void choosingAnEntryShowsIt()
    {
        CatalogueFixture f;
        f.ini().writeInteger("List", "Count", 1);
        f.ini().writeString("List", "Name1", "A");
        f.ini().writeInteger("List", "RegAC1", 112);
        f.catalogue.readINI();
        f.catalogue.form.chbType.select(0);
        QCOMPARE(f.catalogue.form.Edit2.text(), QString("112"));
        QVERIFY(f.catalogue.form.Chbac.isChecked());
        f.catalogue.form.BitBtn4.click();
        QCOMPARE(f.catalogue.Pribor.RegAc, 112);
    }
};

QTEST_GUILESS_MAIN(TstCatalogue)
#include "tst_catalogue.moc"
