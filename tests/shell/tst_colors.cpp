// The operator's colours and fonts of the main window: the pop-up menu, the control under
// the mouse, color.ini and its reading at start.
#include "shell/ColorCustomisation.h"
#include "shell/settings/SettingsLocation.h"

#include "tests/support/ScriptedDialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// "name=colour" for colour entries, "name=family/colour/size" for fonts.
QString describe(const settings::StoredColor& e) { return e.control + u'=' + QString::number(e.color); }
QString describe(const settings::StoredFont& e)
{
    return e.control + u'=' + e.family + u'/' + QString::number(e.color) + u'/' + QString::number(e.pointSize);
}
template <typename Entries>
QStringList describeAll(const Entries& entries)
{
    QStringList out;
    for (const auto& e : entries)
        out << describe(e);
    return out;
}

// The colours and fonts that differ from a freshly designed window, as "name=colour" and
// "name=family/colour/size": what the operator sees changed.
QStringList shownChanges(const ui::Form& form)
{
    const ui::forms::MainForm designed;
    QStringList out;
    if (form.color() != designed.color())
        out << form.name() + u'=' + QString::number(form.color());
    for (const ui::Control* c : form.controls()) {
        const ui::Control* d = designed.find(c->name());
        if (c->color() != d->color())
            out << c->name() + u'=' + QString::number(c->color());
        if (c->font() != d->font())
            out << c->name() + u'=' + c->font().family + u'/' + QString::number(c->font().color) + u'/'
                       + QString::number(c->font().pointSize);
    }
    return out;
}

}  // namespace

class TstColors : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    std::unique_ptr<ui::forms::MainForm> form;
    std::unique_ptr<shell::TColorSetup> setup;

    QString iniPath() const { return settings::colorIniPath(); }
    settings::ColorFile file() const { return settings::ColorFile(iniPath()); }
    void start()
    {
        setup.reset();
        form = std::make_unique<ui::forms::MainForm>();
        setup = std::make_unique<shell::TColorSetup>(*form);
    }
    void writeRaw(const QByteArray& bytes)
    {
        QFile f(iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    // Gestures: "move:Name" (empty name: the window itself), "color:N",
    // "font:family/colour/size", "delete".
    void perform(const QString& step)
    {
        const QString arg = step.section(u':', 1);
        if (step.startsWith(QLatin1String("move:"))) {
            ui::Control* c = arg.isEmpty() ? nullptr : form->find(arg);
            QVERIFY2(arg.isEmpty() || c, qPrintable(arg));
            form->mouseMoved(c);
        } else if (step.startsWith(QLatin1String("color:"))) {
            dialogs.colorAnswer = arg.toInt();
            form->N1.click();
        } else if (step.startsWith(QLatin1String("font:"))) {
            const QStringList p = arg.split(u'/');
            dialogs.fontAnswer = ui::Font{p[0], p[2].toInt(), p[1].toInt(), ui::FontStyle{true}};
            form->N3.click();
        } else {
            QCOMPARE(step, QStringLiteral("delete"));
            form->N2.click();
        }
    }

private Q_SLOTS:
    void initTestCase() { settings::setSettingsDirectory(dir.path()); }
    void init()
    {
        QFile::remove(iniPath());
        dialogs.clear();
        dialogs.colorAnswer.reset();
        dialogs.fontAnswer.reset();
        dialogs.fontOffered.reset();
    }
    void cleanup()
    {
        setup.reset();
        form.reset();
    }

    // What the operator does is shown at once and stored; the next start shows what was stored.
    void operatorChanges_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("stored");  // colour entries, then font entries
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("shownAfterRestart");

        QTest::newRow("colour of an edit") << QStringList{"move:EdtRashQ1", "color:255"}
                                           << QStringList{"EdtRashQ1=255"} << QStringList{"EdtRashQ1=255"}
                                           << QStringList{"EdtRashQ1=255"};
        QTest::newRow("font of a panel")
            << QStringList{"move:PnlUsi1", "font:DejaVu Serif/65280/14"}
            << QStringList{"PnlUsi1=DejaVu Serif/65280/14"} << QStringList{"PnlUsi1=DejaVu Serif/65280/14"}
            << QStringList{"PnlUsi1=DejaVu Serif/65280/14"};
        QTest::newRow("same control twice keeps one entry")
            << QStringList{"move:GroupBox3", "color:1", "move:EdtRashQ1", "color:2", "move:GroupBox3", "color:3",
                           "font:DejaVu Sans/0/9", "font:DejaVu Sans/4/10"}
            << QStringList{"GroupBox3=3", "EdtRashQ1=2", "GroupBox3=DejaVu Sans/4/10"}
            << QStringList{"GroupBox3=3", "GroupBox3=DejaVu Sans/4/10", "EdtRashQ1=2"}
            << QStringList{"GroupBox3=3", "GroupBox3=DejaVu Sans/4/10", "EdtRashQ1=2"};
        QTest::newRow("a label or button leaves the last edit current")
            << QStringList{"move:EdtRashQ1", "move:Label84", "move:BtnConnect", "color:7"}
            << QStringList{"EdtRashQ1=7"} << QStringList{"EdtRashQ1=7"} << QStringList{"EdtRashQ1=7"};
        QTest::newRow("nothing before the mouse moved") << QStringList{"color:7", "font:DejaVu Sans/0/9"}
                                                        << QStringList{} << QStringList{} << QStringList{};
        QTest::newRow("window itself: colour shown and stored, not applied at start")
            << QStringList{"move:EdtRashQ1", "move:", "color:9", "font:DejaVu Sans/0/9"}
            << QStringList{"MainFrm=9"} << QStringList{"MainFrm=9"} << QStringList{};
        QTest::newRow("delete all, then a new colour")
            << QStringList{"move:EdtRashQ1", "color:1", "font:DejaVu Sans/0/9", "delete", "move:PnlUsi2", "color:2"}
            << QStringList{"PnlUsi2=2"}
            << QStringList{"EdtRashQ1=1", "EdtRashQ1=DejaVu Sans/0/9", "PnlUsi2=2"} << QStringList{"PnlUsi2=2"};
    }
    void operatorChanges()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, stored);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, shownAfterRestart);

        start();
        for (const QString& step : steps) {
            perform(step);
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(describeAll(file().colors()) + describeAll(file().fonts()), stored);
        QCOMPARE(shownChanges(*form), shown);
        QVERIFY(dialogs.messages.filter(QStringLiteral("Не удалось записать")).isEmpty());
        start();
        QCOMPARE(shownChanges(*form), shownAfterRestart);
    }

    void cancelledDialogsChangeNothing()
    {
        start();
        form->mouseMoved(&form->imitQ.EdtRashQ1);
        form->N1.click();
        form->N3.click();
        QVERIFY(!QFile::exists(iniPath()));
        QVERIFY(shownChanges(*form).isEmpty());
    }

    // The font dialog starts from the font of the last edit, panel or group box passed over.
    void fontDialogPreset()
    {
        start();
        form->N3.click();
        QVERIFY(!dialogs.fontOffered);

        ui::Font designed = form->usiGroup.PnlUsi1.font();
        designed.pointSize = 11;
        form->usiGroup.PnlUsi1.setFont(designed);
        form->mouseMoved(&form->usiGroup.PnlUsi1);
        form->mouseMoved(nullptr);        // the window has no font of its own
        form->mouseMoved(&form->Label84);  // labels do not report
        form->N3.click();
        QCOMPARE(dialogs.fontOffered, std::optional<ui::Font>(designed));
    }

    void deleteAllTellsWhenItTakesEffect()
    {
        writeRaw("[Color]\ncount=1\nname1=EdtRashQ1\ncolor1=255\n");
        start();
        form->N2.click();
        QVERIFY(!QFile::exists(iniPath()));
        QCOMPARE(dialogs.messages, QStringList{"После рестарта программы значения будут возвращены"});
        QCOMPARE(shownChanges(*form), QStringList{"EdtRashQ1=255"});  // until the next start
    }

    // color.ini as found at start: what the window shows changed.
    void readingAtStart_data()
    {
        QTest::addColumn<QByteArray>("content");  // null: no file
        QTest::addColumn<QStringList>("shown");

        QTest::newRow("file missing") << QByteArray() << QStringList{};
        QTest::newRow("empty file") << QByteArray("") << QStringList{};
        QTest::newRow("colours and fonts")
            << QByteArray("[COLOR]\r\nCount=2\r\nname1=edtrashq1\r\ncolor1=255\r\nname2=GroupBox3\r\ncolor2=65280\r\n"
                          "[font]\r\ncount=1\r\nname1=PnlUsi1\r\nfontname1=DejaVu Serif\r\nfontcolor1=255\r\n"
                          "fontsize1=12\r\n")
            << QStringList{"GroupBox3=65280", "EdtRashQ1=255", "PnlUsi1=DejaVu Serif/255/12"};
        QTest::newRow("font defaults") << QByteArray("[Font]\ncount=1\nname1=EdtRashQ1\n")
                                       << QStringList{"EdtRashQ1=Arial/0/8"};
        QTest::newRow("colour default") << QByteArray("[Color]\ncount=1\nname1=EdtRashQ1\n")
                                        << QStringList{"EdtRashQ1=-16777201"};
        QTest::newRow("count above the entries present")
            << QByteArray("[Color]\ncount=5\nname1=EdtRashQ1\ncolor1=255\n[Font]\ncount=3\n") << QStringList{"EdtRashQ1=255"};
        QTest::newRow("unknown names, other kinds and the window skipped")
            << QByteArray("[Color]\ncount=4\nname1=NoSuchControl\ncolor1=1\nname2=Label84\ncolor2=2\n"
                          "name3=MainFrm\ncolor3=3\nname4=PnlUsi2\ncolor4=4\n"
                          "[Font]\ncount=2\nname1=BtnConnect\nfontsize1=20\nname2=\nfontsize2=20\n")
            << QStringList{"PnlUsi2=4"};
        QTest::newRow("not a number reads as the default")
            << QByteArray("[Color]\ncount=x\nname1=EdtRashQ1\ncolor1=1\n[Font]\ncount=1\nname1=EdtRashQ1\nfontsize1=big\n")
            << QStringList{"EdtRashQ1=Arial/0/8"};
    }
    void readingAtStart()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, shown);
        if (!content.isNull())
            writeRaw(content);
        start();
        QCOMPARE(shownChanges(*form), shown);
        QVERIFY(dialogs.messages.isEmpty());
    }

    // A choice that cannot be stored is still shown, and the operator is told once that it is not kept.
    void unwritableFileIsReported()
    {
        start();
        settings::setSettingsDirectory(dir.filePath(QStringLiteral("missing/dir")));
        form->mouseMoved(&form->imitQ.EdtRashQ1);
        dialogs.colorAnswer = 5;
        form->N1.click();
        form->N3.click();
        settings::setSettingsDirectory(dir.path());
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages.first().startsWith(QStringLiteral("Не удалось записать файл настроек")),
                 qPrintable(dialogs.messages.first()));
        QCOMPARE(shownChanges(*form), QStringList{"EdtRashQ1=5"});
    }

    // Choosing a colour for a control present in an older file replaces its entry in place.
    void storingKeepsOtherEntries()
    {
        writeRaw("[Color]\ncount=2\nname1=PnlUsi1\ncolor1=1\nname2=EdtRashQ1\ncolor2=2\n[Other]\nkey=value\n");
        start();
        form->mouseMoved(&form->imitQ.EdtRashQ1);
        dialogs.colorAnswer = 3;
        form->N1.click();
        QCOMPARE(describeAll(file().colors()), (QStringList{"PnlUsi1=1", "EdtRashQ1=3"}));
        QCOMPARE(settings::IniFile(iniPath()).readString("Other", "key", ""), QStringLiteral("value"));
    }
};

QTEST_GUILESS_MAIN(TstColors)
#include "tst_colors.moc"
