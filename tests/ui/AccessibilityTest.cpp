// What a screen reader and a scripted test read of a window through Qt's accessibility
// interfaces: value controls named by their caption labels, the page tabs as a tab list
// whose tabs switch pages and whose changes reach a screen reader, the component names, and
// Tab walking the controls in the declared order.
#include "tests/support/ScriptedDialogs.h"
#include "tests/ui/AccessibleTree.h"
#include "tests/ui/DemoForm.h"
#include "ui/forms/FormCatalog.h"
#include "ui/forms/MainForm.h"
#include "ui/qt/Appearance.h"
#include "ui/qt/FormWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QtGui/private/qguiapplication_p.h>
#include <QtTest>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <algorithm>
#include <functional>
#include <memory>

using test::DemoForm;
using ui::qt::FormWindow;

namespace {

QAccessibleInterface* accessible(QWidget* w)
{
    return QAccessible::queryAccessibleInterface(w);
}

QString nameOf(QWidget* w)
{
    return accessible(w)->text(QAccessible::Name);
}

// A group box "Группа" with two labels, a button and one value control of each kind; a case
// places some of them and leaves the rest without a place.
class LabelCaseForm : public ui::Form {
public:
    LabelCaseForm()
        : ui::Form("LabelCaseFrm"),
          group(this, "group", nullptr),
          first(this, "first", &group),
          second(this, "second", &group),
          button(this, "button", &group),
          edit(this, "edit", &group),
          combo(this, "combo", &group),
          progress(this, "progress", &group),
          step(this, "step", &group, &edit)
    {
        setGeometry(QRect(0, 0, 400, 300));
        group.setGeometry(0, 0, 400, 300);
        group.setCaption(QStringLiteral("Группа"));
        second.setCaption(QStringLiteral("Объём:"));
        button.setCaption(QStringLiteral("Пуск"));
    }

    ui::GroupBox group;
    ui::Label first, second;
    ui::Button button;
    ui::Edit edit;
    ui::ComboBox combo;
    ui::ProgressBar progress;
    ui::UpDown step;
};

// Where Tab goes from the first control: the component name of each focused widget (a radio
// group's item by its group and position) until the walk comes back.
QStringList tabWalk(FormWindow& w, QWidget* first)
{
    const auto nameOfStop = [](QWidget* f) {
        if (!f->objectName().isEmpty())
            return f->objectName();
        QWidget* owner = f->parentWidget();
        const auto items = owner->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        return QStringLiteral("%1[%2]").arg(owner->objectName()).arg(items.indexOf(f));
    };
    first->setFocus(Qt::TabFocusReason);
    QStringList walk{nameOfStop(QApplication::focusWidget())};
    for (int i = 0; i < 50; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* f = QApplication::focusWidget();
        if (f == first || !f || f->window() != &w)
            break;
        walk << nameOfStop(f);
    }
    return walk;
}

// What a screen reader is told about one widget while the log lives, as "event child" lines;
// a state change lists the states it says changed. Accessibility is on meanwhile, as it is
// with a screen reader running: the platform's switch is Qt's private API (QAccessible's own
// setActive only tells observers), as in Qt's own accessibility tests.
class ReaderLog {
public:
    explicit ReaderLog(QObject* watched)
        : m_platform(QGuiApplicationPrivate::platformIntegration()->accessibility()),
          m_wasActive(m_platform && m_platform->isActive())
    {
        s_watched = watched;
        s_heard.clear();
        m_previous = QAccessible::installUpdateHandler(&hear);
        if (m_platform)
            m_platform->setActive(true);
    }
    ~ReaderLog()
    {
        if (m_platform)
            m_platform->setActive(m_wasActive);
        QAccessible::installUpdateHandler(m_previous);
        s_watched = nullptr;
    }
    ReaderLog(const ReaderLog&) = delete;
    ReaderLog& operator=(const ReaderLog&) = delete;

    static const QStringList& heard() { return s_heard; }

private:
    static void hear(QAccessibleEvent* e)
    {
        if (e->object() != s_watched)
            return;
        QString line = QStringLiteral("%1 %2").arg(QLatin1String(QMetaEnum::fromType<QAccessible::Event>().valueToKey(e->type())))
                                               .arg(e->child());
        // A reader takes the changed states from the event, so it must be the state change type.
        if (e->type() == QAccessible::StateChanged) {
            const auto* change = dynamic_cast<const QAccessibleStateChangeEvent*>(e);
            line += !change ? QStringLiteral(" (not a state change event)")
                            : change->changedStates().invisible ? QStringLiteral(" invisible")
                                                                : QStringLiteral(" (invisible not named)");
        }
        s_heard << line;
    }

    inline static QObject* s_watched = nullptr;
    inline static QStringList s_heard;
    QPlatformAccessibility* m_platform;
    bool m_wasActive;
    QAccessible::UpdateHandler m_previous = nullptr;
};
}  // namespace

using Arrange = std::function<void(DemoForm&)>;
Q_DECLARE_METATYPE(Arrange)

class AccessibilityTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::qt::applyApplicationLook(*qApp); }
    void init();
    void cleanup();

    void valueControlIsNamedByItsCaptionLabel_data();
    void valueControlIsNamedByItsCaptionLabel();
    void demoControlsReadAsTheOperatorSeesThem_data();
    void demoControlsReadAsTheOperatorSeesThem();
    void namesFollowLabelCaptionsAndLayout();
    void hintIsTheDescription();

    void mainWindowValueControlsHaveTheirLabelsNames_data();
    void mainWindowValueControlsHaveTheirLabelsNames();
    void comboBoxIsLabelledThroughItsLabel();
    void mainWindowPagesAreTabsOfAPageTabList();
    void pressingATabSwitchesThePage();
    void hiddenTabCannotBePressed();
    void tabChangesReachScreenReaders_data();
    void tabChangesReachScreenReaders();

    void tabWalksTheControlsInDeclaredOrder_data();
    void tabWalksTheControlsInDeclaredOrder();
    void tabReachesEveryControlOfEveryWindow_data();
    void tabReachesEveryControlOfEveryWindow();

private:
    std::unique_ptr<test::ScriptedDialogs> m_dialogs;
    std::unique_ptr<DemoForm> m_form;
    std::unique_ptr<FormWindow> m_window;
};

void AccessibilityTest::init()
{
    m_dialogs = std::make_unique<test::ScriptedDialogs>();
    m_form = std::make_unique<DemoForm>();
    m_window = std::make_unique<FormWindow>(*m_form);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void AccessibilityTest::cleanup()
{
    m_window.reset();
    m_form.reset();
    m_dialogs.reset();
}

void AccessibilityTest::valueControlIsNamedByItsCaptionLabel_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("control");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("first");
    QTest::addColumn<QRect>("second");
    QTest::addColumn<QRect>("button");
    QTest::addColumn<QString>("expected");

    const QRect at(100, 40, 120, 24);
    const QRect none;
    const QString flow = QStringLiteral("Расход:");
    const QString volume = QStringLiteral("Объём:");
    const QString group = QStringLiteral("Группа");
    QTest::newRow("label on the left") << "edit" << at << flow << QRect(10, 44, 80, 18) << none << none << flow;
    QTest::newRow("label just above") << "edit" << at << flow << QRect(100, 18, 80, 18) << none << none << flow;
    QTest::newRow("label above, a little indented") << "edit" << at << flow << QRect(106, 18, 80, 18) << none << none << flow;
    QTest::newRow("label above, off to the side") << "edit" << at << flow << QRect(160, 18, 80, 18) << none << none << group;
    QTest::newRow("label above, a row away") << "edit" << at << flow << QRect(100, 0, 80, 10) << none << none << group;
    QTest::newRow("label on the right") << "edit" << at << flow << QRect(230, 44, 80, 18) << none << none << group;
    QTest::newRow("label below") << "edit" << at << flow << QRect(100, 66, 80, 18) << none << none << group;
    QTest::newRow("nearer of two labels on the row") << "edit" << at << flow << QRect(10, 44, 40, 18) << QRect(55, 44, 40, 18) << none << volume;
    QTest::newRow("label on the row before one above") << "edit" << at << flow << QRect(10, 44, 80, 18) << QRect(100, 18, 80, 18) << none << flow;
    QTest::newRow("tie goes to the label made first") << "edit" << at << flow << QRect(10, 44, 80, 18) << QRect(10, 44, 80, 18) << none << flow;
    QTest::newRow("button between label and control") << "edit" << at << flow << QRect(10, 44, 40, 18) << none << QRect(55, 40, 40, 24) << group;
    QTest::newRow("button between control and label above") << "edit" << at << flow << QRect(100, 2, 80, 14) << none << QRect(100, 17, 60, 20) << group;
    QTest::newRow("wrapped caption read on one line") << "edit" << at << QStringLiteral("Расход\r\nм3/ч") << QRect(10, 40, 80, 30) << none << none << QStringLiteral("Расход м3/ч");
    QTest::newRow("empty label") << "edit" << at << QString() << QRect(10, 44, 80, 18) << none << none << group;
    QTest::newRow("combo box") << "combo" << at << flow << QRect(10, 44, 80, 18) << none << none << flow;
    QTest::newRow("progress bar") << "progress" << QRect(100, 40, 200, 16) << flow << QRect(100, 20, 80, 16) << none << none << flow;
    QTest::newRow("up-down arrows take their edit's label") << "step" << at << flow << QRect(10, 44, 80, 18) << none << none << flow;
}

void AccessibilityTest::valueControlIsNamedByItsCaptionLabel()
{
    QFETCH(QString, kind);
    QFETCH(QRect, control);
    QFETCH(QString, caption);
    QFETCH(QRect, first);
    QFETCH(QRect, second);
    QFETCH(QRect, button);
    QFETCH(QString, expected);

    LabelCaseForm f;
    f.first.setCaption(caption);
    f.first.setGeometry(first);
    f.second.setGeometry(second);
    f.button.setGeometry(button);
    ui::Control* named = f.find(kind);
    named->setGeometry(control);
    if (named == &f.step) {  // the arrows stand right of their edit
        f.edit.setGeometry(control);
        f.step.setGeometry(control.right() + 1, control.top(), 16, control.height());
    }
    FormWindow w(f);
    QCOMPARE(nameOf(w.widgetOf(named)), expected);
}

void AccessibilityTest::demoControlsReadAsTheOperatorSeesThem_data()
{
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("expected");
    QTest::newRow("edit under its label") << "edit" << QStringLiteral("Адрес:");
    QTest::newRow("edit under another edit takes its group") << "number" << QStringLiteral("Группа");
    QTest::newRow("unlabelled combo outside a group") << "combo" << QString();
    QTest::newRow("button") << "button" << QStringLiteral("Пуск");
    QTest::newRow("check box") << "check" << QStringLiteral("Токовый выход");
    QTest::newRow("page") << "pageMore" << QStringLiteral("Ещё");
}

void AccessibilityTest::demoControlsReadAsTheOperatorSeesThem()
{
    QFETCH(QString, component);
    QFETCH(QString, expected);
    QCOMPARE(nameOf(m_window->widgetOf(m_form->find(component))), expected);
}

void AccessibilityTest::namesFollowLabelCaptionsAndLayout()
{
    QWidget* edit = m_window->widgetOf(&m_form->edit);
    m_form->label.setCaption(QStringLiteral("Адрес прибора:"));
    QCOMPARE(nameOf(edit), QStringLiteral("Адрес прибора:"));

    m_form->label.setGeometry(8, 100, 100, 16);  // now below the number edit, far from this one
    QCOMPARE(nameOf(edit), QStringLiteral("Группа"));
    m_form->group.setCaption(QStringLiteral("Связь"));
    QCOMPARE(nameOf(edit), QStringLiteral("Связь"));

    m_form->edit.moveTo(&m_form->pageMain, 230);
    m_form->label.moveTo(&m_form->pageMain, 210);
    QCOMPARE(nameOf(edit), QStringLiteral("Адрес прибора:"));

    m_form->pageMore.setCaption(QStringLiteral("Журнал"));
    QCOMPARE(nameOf(m_window->widgetOf(&m_form->pageMore)), QStringLiteral("Журнал"));
}

void AccessibilityTest::hintIsTheDescription()
{
    m_form->edit.setHint(QStringLiteral("Адрес\r\nот 1 до 247"));
    QCOMPARE(accessible(m_window->widgetOf(&m_form->edit))->text(QAccessible::Description), QStringLiteral("Адрес\nот 1 до 247"));
}

void AccessibilityTest::mainWindowValueControlsHaveTheirLabelsNames_data()
{
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("expected");
    QTest::newRow("meter type") << "cbxprib" << QStringLiteral("Тип прибора:");
    QTest::newRow("meter address") << "edtadrp" << QStringLiteral("Адрес:");
    QTest::newRow("autocirculations") << "edtac" << QStringLiteral("Число автоциркуляций");
    QTest::newRow("link check answer beside its button") << "Edit4" << QStringLiteral("Поверяемый прибор");
    QTest::newRow("meter's flow beside its label") << "EdtRashQ1" << QStringLiteral("Данные из прибора, м3/ч");
    QTest::newRow("label inside a group box wins") << "EdtRashQImit" << QStringLiteral("Имитируемый расход, м3/ч");
    QTest::newRow("track bar") << "TbMa" << QStringLiteral("Величина тока, мА");
    QTest::newRow("unlabelled progress bar takes its group") << "PB" << QStringLiteral("Накопление объема");
}

void AccessibilityTest::mainWindowValueControlsHaveTheirLabelsNames()
{
    QFETCH(QString, component);
    QFETCH(QString, expected);
    ui::forms::MainForm form;
    FormWindow w(form);
    const QAccessible::Role role = accessible(w.widgetOf(form.find(component)))->role();
    QAccessibleInterface* found = test::findAccessible(accessible(&w), component, role);
    QVERIFY2(found, "not reachable from the window");
    QCOMPARE(found->text(QAccessible::Name), expected);
}

// On Linux Qt names a combo box by its current item; the screen reader reads its label
// through the Label relation.
void AccessibilityTest::comboBoxIsLabelledThroughItsLabel()
{
    ui::forms::MainForm form;
    form.config.cbxprib.setItemIndex(0);
    FormWindow w(form);
    QAccessibleInterface* combo = accessible(w.widgetOf(&form.config.cbxprib));
    QStringList labels;
    for (const auto& [iface, relation] : combo->relations(QAccessible::Label))
        labels << iface->text(QAccessible::Name);
    QVERIFY2(labels.contains(QStringLiteral("Тип прибора:")), qPrintable(labels.join('|')));

    QAccessibleInterface* label = accessible(w.widgetOf(&form.config.Label2));
    QCOMPARE(label->relations(QAccessible::Labelled).value(0).first, combo);
}

void AccessibilityTest::mainWindowPagesAreTabsOfAPageTabList()
{
    ui::forms::MainForm form;
    form.pc.setActivePage(&form.poverQ.TSPoverQ);
    FormWindow w(form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QAccessibleInterface* strip = accessible(w.widgetOf(&form.pc));
    QCOMPARE(strip->role(), QAccessible::PageTabList);
    const QList<ui::Page*>& pages = form.pc.pages();
    QVERIFY(strip->childCount() > pages.size());  // the pages themselves follow the tabs
    for (int i = 0; i < pages.size(); ++i) {
        QAccessibleInterface* tab = strip->child(i);
        QCOMPARE(tab->role(), QAccessible::PageTab);
        QCOMPARE(tab->text(QAccessible::Name), pages.at(i)->caption());
        QCOMPARE(test::componentNameOf(tab), pages.at(i)->name());
        QCOMPARE(tab->parent(), strip);
        QCOMPARE(strip->indexOfChild(tab), i);
        QCOMPARE(bool(tab->state().selected), pages.at(i) == &form.poverQ.TSPoverQ);
        QCOMPARE(bool(tab->state().invisible), !pages.at(i)->isTabVisible());
    }
    QAccessibleInterface* page = strip->child(int(pages.size()));
    QCOMPARE(page->object(), w.widgetOf(pages.first()));
    QCOMPARE(strip->indexOfChild(page), int(pages.size()));
}

void AccessibilityTest::pressingATabSwitchesThePage()
{
    ui::forms::MainForm form;
    FormWindow w(form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QAccessibleInterface* tab = test::findAccessible(accessible(&w), QStringLiteral("TSPoverQ"), QAccessible::PageTab);
    QVERIFY(tab);
    QCOMPARE(tab->text(QAccessible::Name), QStringLiteral("Поверка имитации расхода"));
    QVERIFY(!tab->state().selected);
    QVERIFY(w.widgetOf(&form.pc)->rect().contains(w.widgetOf(&form.pc)->mapFromGlobal(tab->rect().center())));
    QCOMPARE(tab->parent()->childAt(tab->rect().center().x(), tab->rect().center().y()), tab);

    QAccessibleActionInterface* actions = tab->actionInterface();
    QVERIFY(actions);
    QCOMPARE(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(form.pc.activePage(), &form.poverQ.TSPoverQ);
    QVERIFY(tab->state().selected);
    QVERIFY(w.widgetOf(&form.poverQ.TSPoverQ)->isVisible());
}

void AccessibilityTest::hiddenTabCannotBePressed()
{
    QAccessibleInterface* strip = accessible(m_window->widgetOf(&m_form->pages));
    QAccessibleInterface* hidden = strip->child(2);
    QCOMPARE(hidden->role(), QAccessible::PageTab);
    QCOMPARE(test::componentNameOf(hidden), QStringLiteral("pageHidden"));
    QVERIFY(hidden->state().invisible);
    QVERIFY(hidden->rect().isEmpty());
    QVERIFY(hidden->actionInterface()->actionNames().isEmpty());
    hidden->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(m_form->pages.activePage(), &m_form->pageMain);

    m_form->pages.setEnabled(false);
    strip->child(1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(m_form->pages.activePage(), &m_form->pageMain);
}

// The page control is what a screen reader follows when a window shows or hides pages.
void AccessibilityTest::tabChangesReachScreenReaders_data()
{
    QTest::addColumn<Arrange>("change");
    QTest::addColumn<QStringList>("heard");
    QTest::newRow("a hidden tab shown") << Arrange([](DemoForm& f) { f.pageHidden.setTabVisible(true); })
                                       << QStringList{"StateChanged 2 invisible"};
    QTest::newRow("a tab hidden") << Arrange([](DemoForm& f) { f.pageMore.setTabVisible(false); })
                                  << QStringList{"StateChanged 1 invisible"};
    QTest::newRow("a tab renamed") << Arrange([](DemoForm& f) { f.pageMore.setCaption(QStringLiteral("Прочее")); })
                                   << QStringList{"NameChanged 1"};
    QTest::newRow("another page chosen") << Arrange([](DemoForm& f) { f.pages.setActivePage(&f.pageMore); })
                                         << QStringList{"Selection 1"};
}

void AccessibilityTest::tabChangesReachScreenReaders()
{
    QFETCH(Arrange, change);
    QFETCH(QStringList, heard);
    const ReaderLog log(m_window->widgetOf(&m_form->pages));
    QVERIFY(QAccessible::isActive());
    change(*m_form);
    QCOMPARE(ReaderLog::heard(), heard);
}

void AccessibilityTest::tabWalksTheControlsInDeclaredOrder_data()
{
    QTest::addColumn<Arrange>("arrange");
    QTest::addColumn<QStringList>("expected");
    const QStringList declared{"button", "okButton", "edit", "number", "check", "radioA", "radioB",
                               "choice[0]", "choice[1]", "choice[2]", "choice[3]", "combo"};
    const auto without = [&](const QString& name) {
        QStringList l = declared;
        l.removeAll(name);
        return l;
    };
    QTest::newRow("as declared") << Arrange([](DemoForm&) {}) << declared;
    QTest::newRow("disabled skipped") << Arrange([](DemoForm& f) { f.number.setEnabled(false); }) << without("number");
    QTest::newRow("hidden skipped") << Arrange([](DemoForm& f) { f.check.setVisible(false); }) << without("check");
    QTest::newRow("moved control keeps its place") << Arrange([](DemoForm& f) { f.edit.moveTo(&f.pageMain, 220); }) << declared;
    QTest::newRow("rebuilt radio items keep their place")
        << Arrange([](DemoForm& f) { f.choice.setItems({"2", "15", "30", "Своя"}); }) << declared;
}

void AccessibilityTest::tabWalksTheControlsInDeclaredOrder()
{
    QFETCH(Arrange, arrange);
    QFETCH(QStringList, expected);
    arrange(*m_form);
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QCOMPARE(tabWalk(*m_window, m_window->widgetOf(&m_form->button)), expected);
}

void AccessibilityTest::tabReachesEveryControlOfEveryWindow_data()
{
    QTest::addColumn<int>("index");
    const auto forms = ui::forms::createAllForms();
    for (int i = 0; i < int(forms.size()); ++i)
        QTest::newRow(qPrintable(forms.at(i)->name())) << i;
}

// Every enabled control the operator sees and can type into or press comes up, in the order
// the form declares its controls.
void AccessibilityTest::tabReachesEveryControlOfEveryWindow()
{
    QFETCH(int, index);
    const auto forms = ui::forms::createAllForms();
    ui::Form& form = *forms.at(index);
    FormWindow w(form);
    form.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    QHash<const QWidget*, int> declared;  // a control's widget -> its place in the form
    QList<const ui::Control*> expected;
    for (int i = 0; i < int(form.controls().size()); ++i) {
        const ui::Control* c = form.controls().at(i);
        QWidget* cw = w.widgetOf(c);
        if (!cw)
            continue;
        declared.insert(cw, i);
        static const QSet<ui::Kind> takesFocus{ui::Kind::Button, ui::Kind::Edit, ui::Kind::Memo, ui::Kind::CheckBox,
                                               ui::Kind::RadioButton, ui::Kind::ComboBox, ui::Kind::TrackBar};
        if (takesFocus.contains(c->kind()) && cw->isVisible() && cw->isEnabled())
            expected << c;
    }
    const auto controlOf = [&](QWidget* f) {
        while (f && !declared.contains(f))
            f = f->parentWidget();
        return f ? form.controls().at(declared.value(f)) : nullptr;
    };
    QVERIFY(!expected.isEmpty());
    QWidget* first = w.widgetOf(expected.first());
    first->setFocus(Qt::TabFocusReason);
    QList<const ui::Control*> walked{expected.first()};
    for (int i = 0; i < 500 && QApplication::focusWidget(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* f = QApplication::focusWidget();
        if (f == first || !f)
            break;
        if (const ui::Control* c = controlOf(f); c && c != walked.last())
            walked << c;
    }
    // The walk started somewhere in the middle; the cycle begins at the first declared control.
    const auto place = [&](const ui::Control* c) { return declared.value(w.widgetOf(c)); };
    const auto start = std::min_element(walked.begin(), walked.end(), [&](auto* a, auto* b) { return place(a) < place(b); });
    std::rotate(walked.begin(), start, walked.end());
    for (int i = 1; i < walked.size(); ++i)
        QVERIFY2(declared.value(w.widgetOf(walked.at(i - 1))) < declared.value(w.widgetOf(walked.at(i))),
                 qPrintable(walked.at(i - 1)->name() + " before " + walked.at(i)->name()));
    for (const ui::Control* c : std::as_const(expected))
        QVERIFY2(walked.contains(c), qPrintable(c->name() + " not reached"));
}

QTEST_MAIN(AccessibilityTest)

#include "AccessibilityTest.moc"
