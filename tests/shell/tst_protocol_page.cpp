// The page "Протокол": where the target task shows it, and what each of its buttons opens.
#include "../support/MainFixture.h"
#include "shell/TargetTask.h"

#include <QTest>

namespace {

enum class Task { Meters, BenchCheck, Service, MetersAgainAfterBenchCheck };

// Chooses a target task as the operator does: the dialog for the two it offers, the menu for
// the service pages.
void choose(test::MainFixture& f, int entry)
{
    f.dialogs.onModal = [entry](ui::Form& form) {
        auto& sys = static_cast<ui::forms::SysForm&>(form);
        sys.cbAim.select(entry);
        sys.btnUse.click();
    };
    f.form().config.BBnTarger.click();
    f.dialogs.onModal = nullptr;
}

}  // namespace

Q_DECLARE_METATYPE(Task)

class TstProtocolPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tabFollowsTheTargetTask_data()
    {
        QTest::addColumn<Task>("task");
        QTest::addColumn<bool>("visible");
        QTest::newRow("meters") << Task::Meters << true;
        QTest::newRow("bench check") << Task::BenchCheck << false;
        QTest::newRow("service pages") << Task::Service << false;
        QTest::newRow("meters after the bench check") << Task::MetersAgainAfterBenchCheck << true;
    }
    void tabFollowsTheTargetTask()
    {
        QFETCH(Task, task);
        QFETCH(bool, visible);
        test::MainFixture f;
        ui::forms::MainForm& w = f.form();
        switch (task) {
        case Task::Meters: choose(f, shell::LayoutMeters); break;
        case Task::BenchCheck: choose(f, shell::LayoutBench); break;
        case Task::Service: w.mnuServicePages.click(); break;
        case Task::MetersAgainAfterBenchCheck:
            choose(f, shell::LayoutBench);
            choose(f, shell::LayoutMeters);
            break;
        }
        QCOMPARE(w.protocol.TS4.isTabVisible(), visible);
        // It goes with the other pages of the meter's verification.
        QCOMPARE(w.imitQ.TSImitQ.isTabVisible(), visible);
    }

    void leavingTheMetersLayoutLeavesThePage()
    {
        test::MainFixture f;
        ui::forms::MainForm& w = f.form();
        w.pc.setActivePage(&w.protocol.TS4);
        choose(f, shell::LayoutBench);
        QCOMPARE(w.pc.activePage(), &w.config.TsConfig);
    }

    void imitationSectionButtonStaysHidden()
    {
        test::MainFixture f;
        QVERIFY(!f.form().protocol.Button11.isVisible());
    }

    void buttonsOpenTheirWindows()
    {
        test::MainFixture f;
        app::TMainFrm& m = *f.main;
        ui::forms::ProtocolPage& page = m.form.protocol;
        const struct {
            ui::Button& button;
            ui::Form& window;
        } cases[] = {
            {page.Button12, m.ParATFrm.form},
            {page.BtnPoints, m.Form18.form},
            {page.BtnAutoVerification, m.autoVerificationWindow.form},
        };
        for (const auto& c : cases) {
            QVERIFY2(!c.window.isVisible(), qPrintable(c.window.name()));
            c.button.click();
            QVERIFY2(c.window.isVisible(), qPrintable(c.button.caption()));
        }
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void parametersWindowShowsTheStoredValues()
    {
        test::MainFixture f([](settings::IniFile& ini) { ini.writeInteger("AutoTest", "Readings", 7); });
        f.form().protocol.Button12.click();
        QCOMPARE(f.main->ParATFrm.form.Edit2.text(), QString("7"));
    }

    void pointsWindowShowsTheStoredPoints()
    {
        test::MainFixture f([](settings::IniFile& ini) { ini.writeString("AutoTest", "Points", "40,5"); });
        f.form().protocol.BtnPoints.click();
        QCOMPARE(f.main->Form18.form.edit(0).text(), QString("40"));
        QCOMPARE(f.main->Form18.form.edit(1).text(), QString("5"));
        QCOMPARE(f.main->Form18.form.edit(2).text(), QString());
    }

    void savingBeforeAnyRunSaysThereIsNoProtocol()
    {
        test::MainFixture f;
        f.form().protocol.Button13.click();
        QCOMPARE(f.dialogs.messages, QStringList{"Протокола ещё нет: сначала проведите автоматическую поверку"});
        QVERIFY(!f.main->autoVerificationWindow.protocolForm.isVisible());
    }

    void everyWindowIsListedOnce()
    {
        test::MainFixture f;
        app::TMainFrm& m = *f.main;
        const std::vector<ui::Form*> forms = m.secondaryForms();
        QSet<const ui::Form*> distinct;
        QSet<QString> names;
        for (const ui::Form* form : forms) {
            QVERIFY(form != &m.form);
            distinct.insert(form);
            names.insert(form->name());
        }
        QCOMPARE(qsizetype(distinct.size()), qsizetype(forms.size()));
        for (const char* name : {"ParATFrm", "Form2", "Form3", "Form18"})
            QVERIFY2(names.contains(QString::fromLatin1(name)), name);
    }
};

QTEST_GUILESS_MAIN(TstProtocolPage)
#include "tst_protocol_page.moc"
