// The settings as the catalogue uses them: a damaged catalogue count, and a write that fails
// while the operator's entries are on screen.
#include "../support/ScriptedDialogs.h"
#include "meter/MProFrm.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

struct CatalogueOnDisk {
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    bench::Modules modules;
    meter::TMProFrm catalogue{modules};
    CatalogueOnDisk() { settings::setSettingsDirectory(dir.path()); }
    settings::IniFile ini() const { return settings::IniFile(settings::ztaIniPath()); }
};

class TstSettingsCallers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void catalogueCountIsBounded_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("entries");
        QTest::addColumn<bool>("told");
        QTest::newRow("at the bound") << 1000 << 1000 << false;
        QTest::newRow("one beyond") << 1001 << 1000 << true;
        QTest::newRow("hundred thousand") << 100000 << 1000 << true;
        QTest::newRow("two thousand million") << 2000000000 << 1000 << true;
    }
    void catalogueCountIsBounded()
    {
        QFETCH(int, count);
        QFETCH(int, entries);
        QFETCH(bool, told);
        CatalogueOnDisk f;
        f.ini().writeInteger("List", "Count", count);
        f.ini().writeString("List", "Name1", "ДТК");
        f.catalogue.readINI();
        QCOMPARE(f.catalogue.CPrib, entries);
        QCOMPARE(f.catalogue.Prib.size(), entries);
        QCOMPARE(f.catalogue.form.chbType.items().size(), entries);
        QCOMPARE(f.catalogue.Prib[0].Name, QString("ДТК"));
        const QStringList expected{QStringLiteral("Список типов расходомеров в файле %1 повреждён: указано %2 типов, "
                                                  "а их может быть не больше 1000. Прочитаны первые 1000.")
                                       .arg(settings::ztaIniPath())
                                       .arg(count)};
        QCOMPARE(f.dialogs.messages, told ? expected : QStringList{});
    }

    // The entry typed in stays in the catalogue and the dialog when the file cannot take it;
    // the operator is told once.
    void failedWriteKeepsTheEntries()
    {
        CatalogueOnDisk f;
        auto& d = f.catalogue.form;
        d.Button1.click();
        d.Edit1.setText("КС-новый");
        d.Edit2.setText("5");
        d.Button1.click();
        const QString unwritable = f.dir.filePath("gone");
        settings::setSettingsDirectory(unwritable);
        d.BitBtn4.click();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages.first().contains(QDir::toNativeSeparators(unwritable)));
        QCOMPARE(f.catalogue.CPrib, 1);
        QCOMPARE(f.catalogue.Prib[0].Name, QString("КС-новый"));
        QCOMPARE(d.Edit1.text(), QString("КС-новый"));

        // Once the folder is there, confirming again stores what was kept.
        QVERIFY(QDir().mkpath(unwritable));
        d.BitBtn4.click();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.ini().readString("List", "Name1", ""), QString("КС-новый"));
    }
};

QTEST_GUILESS_MAIN(TstSettingsCallers)
#include "tst_settings_callers.moc"
