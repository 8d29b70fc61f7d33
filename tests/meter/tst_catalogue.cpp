// The meter type catalogue and the stored module addresses in ZTA.ini.
#include "../support/ScriptedDialogs.h"
#include "meter/MProFrm.h"
#include "meter/PermissibleError.h"
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

    // Entries "A", "B", ... with the given permissible errors ("": none stored), read back.
    void prepare(const QStringList& maxErrs)
    {
        settings::IniFile file = ini();
        file.writeInteger("List", "Count", int(maxErrs.size()));
        for (int n = 1; n <= maxErrs.size(); ++n) {
            file.writeString("List", QString("Name%1").arg(n), QString(QChar(u'A' + n - 1)));
            file.writeInteger("List", QString("RegQ%1").arg(n), n);
            if (!maxErrs[n - 1].isEmpty())
                file.writeString("List", QString("MaxErr%1").arg(n), maxErrs[n - 1]);
        }
        catalogue.readINI();
    }
    // The permissible errors of entries 1..n as stored ("": none).
    QStringList storedMaxErrs(int n) const
    {
        QStringList pcts;
        for (int entry = 1; entry <= n; ++entry) {
            const std::optional<double> pct = meter::storedPermissibleErrorPct(ini(), entry);
            pcts.append(pct ? QString::number(*pct) : QString());
        }
        return pcts;
    }
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

    void deletingRenumbersThePermissibleErrors_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<int>("deleted");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("2nd of 3: the 3rd keeps its value") << QStringList{"0.5", "", "1.5"} << 1
                                                           << QStringList{"A", "C"} << QStringList{"0.5", "1.5", ""};
        QTest::newRow("2nd of 3: the 3rd inherits none") << QStringList{"0.5", "2", ""} << 1
                                                         << QStringList{"A", "C"} << QStringList{"0.5", "", ""};
        QTest::newRow("1st of 2") << QStringList{"0.5", "1"} << 0 << QStringList{"B"} << QStringList{"1", ""};
        QTest::newRow("the last") << QStringList{"0.5", "1"} << 1 << QStringList{"A"} << QStringList{"0.5", ""};
    }
    void deletingRenumbersThePermissibleErrors()
    {
        QFETCH(QStringList, before);
        QFETCH(int, deleted);
        QFETCH(QStringList, names);
        QFETCH(QStringList, after);
        CatalogueFixture f;
        f.prepare(before);
        auto& d = f.catalogue.form;
        d.chbType.select(deleted);
        f.dialogs.answers = {true};
        d.Button3.click();
        QCOMPARE(f.dialogs.questions, QStringList{QString("Удалить тип прибора «%1» из списка?").arg(QChar(u'A' + deleted))});
        QCOMPARE(d.chbType.items(), names);
        d.BitBtn4.click();
        QVERIFY2(f.dialogs.messages.isEmpty(), qPrintable(f.dialogs.lastMessage()));
        QCOMPARE(f.ini().readInteger("List", "Count", -1), int(names.size()));
        for (int n = 1; n <= names.size(); ++n) {
            QCOMPARE(f.ini().readString("List", QString("Name%1").arg(n), ""), names[n - 1]);
            // The registers move with their entry.
            QCOMPARE(f.ini().readInteger("List", QString("RegQ%1").arg(n), -1), int(names[n - 1].at(0).unicode() - u'A' + 1));
        }
        QCOMPARE(f.storedMaxErrs(int(before.size())), after);
    }

    void deletingNeedsAChoiceAndAYes()
    {
        CatalogueFixture f;
        f.prepare({"0.5", "1"});
        auto& d = f.catalogue.form;
        d.Button3.click();
        QCOMPARE(f.dialogs.lastMessage(), QString("Выберите в списке тип прибора, который нужно удалить"));
        d.chbType.select(0);
        f.dialogs.answers = {false};
        d.Button3.click();
        QCOMPARE(f.catalogue.CPrib, 2);
        QCOMPARE(d.chbType.items().size(), 2);
    }

    void permissibleErrorIsEditedBesideTheEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("message");
        QTest::newRow("point") << "1.2" << "1.2" << "";
        QTest::newRow("comma") << "1,2" << "1.2" << "";
        QTest::newRow("unchanged default stores no key") << "0.8" << "" << "";
        QTest::newRow("zero") << "0" << "" << "\"Допустимая погрешность, %\": значение 0 должно быть больше нуля";
        QTest::newRow("negative") << "-1" << "" << "\"Допустимая погрешность, %\": значение -1 должно быть больше нуля";
        QTest::newRow("not a number") << "x" << "" << "«x» не является числом";
    }
    void permissibleErrorIsEditedBesideTheEntry()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        CatalogueFixture f;
        f.prepare({"0.5", ""});
        auto& d = f.catalogue.form;
        d.chbType.select(0);
        QCOMPARE(d.Edit5.text(), QString("0.5"));
        d.chbType.select(1);
        QCOMPARE(d.Edit5.text(), QString("0.8"));
        d.show();
        d.Edit5.setText(typed);
        d.BitBtn4.click();
        QCOMPARE(f.dialogs.messages, message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(d.isVisible(), !message.isEmpty());
        QCOMPARE(f.storedMaxErrs(2), (QStringList{"0.5", stored}));
    }

    void addingAnEntryWithItsPermissibleError_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("stored");
        QTest::newRow("own value") << "1.5" << 2 << "1.5";
        QTest::newRow("default") << "0.8" << 2 << "";
        QTest::newRow("refused: nothing added") << "0" << 1 << "";
    }
    void addingAnEntryWithItsPermissibleError()
    {
        QFETCH(QString, typed);
        QFETCH(int, entries);
        QFETCH(QString, stored);
        CatalogueFixture f;
        f.prepare({"0.5"});
        auto& d = f.catalogue.form;
        d.Button1.click();
        QCOMPARE(d.Edit5.text(), QString("0.8"));
        d.Edit1.setText("Новый");
        d.Edit5.setText(typed);
        d.Button1.click();
        QCOMPARE(f.catalogue.CPrib, entries);
        if (entries == 1) {
            QCOMPARE(f.dialogs.lastMessage(), QString("\"Допустимая погрешность, %\": значение 0 должно быть больше нуля"));
            return;
        }
        d.BitBtn4.click();
        QVERIFY2(f.dialogs.messages.isEmpty(), qPrintable(f.dialogs.lastMessage()));
        QCOMPARE(f.storedMaxErrs(2), (QStringList{"0.5", stored}));
    }
};

QTEST_GUILESS_MAIN(TstCatalogue)
#include "tst_catalogue.moc"
