// A form's window follows the model, and operator input on its widgets reaches the model
// before the control's handler runs.
#include "tests/support/ScriptedDialogs.h"
#include "tests/ui/DemoForm.h"
#include "ui/qt/Appearance.h"
#include "ui/qt/FormWindow.h"
#include "ui/qt/MenuBinder.h"
#include "ui/qt/widgets/MultiRowTabs.h"
#include "ui/qt/widgets/StatusStrip.h"
#include "ui/qt/widgets/UpDownArrows.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

using test::DemoForm;
using ui::qt::FormWindow;

using ModelChange = std::function<void(DemoForm&)>;
using WidgetCheck = std::function<bool(DemoForm&, FormWindow&)>;
Q_DECLARE_METATYPE(ModelChange)
Q_DECLARE_METATYPE(WidgetCheck)

namespace {

template <class W>
W* widget(FormWindow& w, const ui::Control& c)
{
    return qobject_cast<W*>(w.widgetOf(&c));
}

void typeChars(QWidget* w, const QString& text)
{
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

void sendMouseMove(QWidget* w, QPointF p = QPointF(2, 2))
{
    QMouseEvent move(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

QList<QRadioButton*> itemsOf(FormWindow& w, const ui::RadioGroup& g)
{
    return widget<QGroupBox>(w, g)->findChildren<QRadioButton*>();
}

}  // namespace

class FormWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ui::qt::applyApplicationLook(*qApp); }
    void init();
    void cleanup();

    void modelChangeShowsInWidget_data();
    void modelChangeShowsInWidget();
    void colourAndFontFollowTheModelAndResetToDesigned();
    void formColourShowsBehindControlsOfTheirDesignedColour();
    void moveToPutsTheWidgetIntoTheNewContainer();
    void formGeometryAndVisibilityDriveTheWindow();
    void fixedBorderCannotBeResized();

    void keyFilterDecidesWhatReachesTheEdit_data();
    void keyFilterDecidesWhatReachesTheEdit();
    void typedCharacterGoesInAtTheCursor();
    void enterInAnEditReachesTheFilterThenTheDefaultButton();
    void operatorGesturesUpdateTheModelBeforeTheHandler_data();
    void operatorGesturesUpdateTheModelBeforeTheHandler();
    void gridClickOnTheHeaderRowSelectsNothing();
    void statusBarReportsButtonAndShift();
    void actionShortcutWorksWhileTheWindowIsActive();
    void rightClickAnywhereOpensThePopupMenu();
    void mouseMovesReportRecolourableControlsOnly();
    void closeBoxAsksTheForm();

private:
    std::unique_ptr<test::ScriptedDialogs> m_dialogs;
    std::unique_ptr<DemoForm> m_form;
    std::unique_ptr<FormWindow> m_window;
};

void FormWindowTest::init()
{
    m_dialogs = std::make_unique<test::ScriptedDialogs>();
    m_form = std::make_unique<DemoForm>();
    m_window = std::make_unique<FormWindow>(*m_form);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void FormWindowTest::cleanup()
{
    m_window.reset();
    m_form.reset();
    m_dialogs.reset();
}

void FormWindowTest::modelChangeShowsInWidget_data()
{
    QTest::addColumn<ModelChange>("change");
    QTest::addColumn<WidgetCheck>("check");

    QTest::newRow("button caption") << ModelChange([](DemoForm& f) { f.button.setCaption(QStringLiteral("Стоп")); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) { return widget<QPushButton>(w, f.button)->text() == QStringLiteral("Стоп"); });
    QTest::newRow("disabled") << ModelChange([](DemoForm& f) { f.button.setEnabled(false); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) { return !w.widgetOf(&f.button)->isEnabled(); });
    QTest::newRow("hidden") << ModelChange([](DemoForm& f) { f.edit.setVisible(false); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) { return w.widgetOf(&f.edit)->isHidden(); });
    QTest::newRow("label lines") << ModelChange([](DemoForm& f) { f.label.setCaption(QStringLiteral("Состояние:\r\nОшибки\rИтог")); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) {
               auto* l = widget<QLabel>(w, f.label);
               return l->text() == QStringLiteral("Состояние:\nОшибки\nИтог") && l->height() >= 3 * l->fontMetrics().height();
           });
    QTest::newRow("hint") << ModelChange([](DemoForm& f) { f.button.setHint(QStringLiteral("Поиск плат\r\nс №1 по №10")); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) { return w.widgetOf(&f.button)->toolTip() == QStringLiteral("Поиск плат\nс №1 по №10"); });
    QTest::newRow("edit text") << ModelChange([](DemoForm& f) { f.edit.setText(QStringLiteral("ЗТА-01")); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) { return widget<QLineEdit>(w, f.edit)->text() == QStringLiteral("ЗТА-01"); });
    QTest::newRow("read-only") << ModelChange([](DemoForm& f) { f.edit.setReadOnly(true); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) { return widget<QLineEdit>(w, f.edit)->isReadOnly(); });
    QTest::newRow("up-down writes its edit") << ModelChange([](DemoForm& f) { f.step.setPosition(3); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) { return widget<QLineEdit>(w, f.counter)->text() == QStringLiteral("3"); });
    QTest::newRow("check box") << ModelChange([](DemoForm& f) { f.check.setChecked(true); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) { return widget<QCheckBox>(w, f.check)->isChecked(); });
    QTest::newRow("radio buttons exclusive") << ModelChange([](DemoForm& f) { f.radioA.setChecked(true); f.radioB.setChecked(true); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) {
               return !widget<QRadioButton>(w, f.radioA)->isChecked() && widget<QRadioButton>(w, f.radioB)->isChecked();
           });
    QTest::newRow("radio group index") << ModelChange([](DemoForm& f) { f.choice.setItemIndex(2); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) {
               const auto items = itemsOf(w, f.choice);
               return items.size() == 4 && items.at(2)->isChecked() && !items.at(0)->isChecked();
           });
    QTest::newRow("radio group none") << ModelChange([](DemoForm& f) { f.choice.setItemIndex(1); f.choice.setItemIndex(-1); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) {
               const auto items = itemsOf(w, f.choice);
               return std::none_of(items.begin(), items.end(), [](QRadioButton* b) { return b->isChecked(); });
           });
    QTest::newRow("radio group items in columns") << ModelChange([](DemoForm& f) { f.choice.setItems({"a", "b", "c", "d", "e"}); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) {
               const auto items = itemsOf(w, f.choice);  // 2 columns: a b c | d e
               return items.size() == 5 && items.at(3)->x() > items.at(0)->x() && items.at(3)->y() == items.at(0)->y();
           });
    QTest::newRow("combo items and index") << ModelChange([](DemoForm& f) { f.combo.setItems({"Альфа", "Гамма"}); f.combo.setItemIndex(1); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) {
               auto* c = widget<QComboBox>(w, f.combo);
               return c->count() == 2 && c->currentText() == QStringLiteral("Гамма");
           });
    QTest::newRow("grid cells") << ModelChange([](DemoForm& f) { f.grid.setCell(1, 2, QStringLiteral("?")); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) {
               auto* g = widget<QTableWidget>(w, f.grid);
               return g->item(2, 1)->text() == QStringLiteral("?") && g->item(0, 0)->text() == QStringLiteral("Модуль");
           });
    QTest::newRow("grid row") << ModelChange([](DemoForm& f) { f.grid.setRow(3); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) {
               const auto rows = widget<QTableWidget>(w, f.grid)->selectionModel()->selectedRows();
               return rows.size() == 1 && rows.first().row() == 3;
           });
    QTest::newRow("status panel") << ModelChange([](DemoForm& f) { f.status.setPanelText(0, QStringLiteral("Вкл сервер")); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) {
               auto* s = widget<ui::qt::StatusStrip>(w, f.status);
               return s->panel(0)->text() == QStringLiteral("Вкл сервер") && s->panel(1)->width() == 70;
           });
    QTest::newRow("memo lines") << ModelChange([](DemoForm& f) { f.memo.add("первая"); f.memo.add("вторая"); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) { return widget<QPlainTextEdit>(w, f.memo)->toPlainText() == QStringLiteral("первая\nвторая"); });
    QTest::newRow("progress") << ModelChange([](DemoForm& f) { f.progress.setPosition(40); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) { return widget<QProgressBar>(w, f.progress)->value() == 40; });
    QTest::newRow("tab hidden") << ModelChange([](DemoForm& f) { f.pageMore.setTabVisible(false); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) {
               auto* t = widget<ui::qt::MultiRowTabs>(w, f.pages);
               return !t->isTabVisible(1) && t->tabRect(1).isEmpty() && t->isTabVisible(0);
           });
    QTest::newRow("hidden tab's page can be active") << ModelChange([](DemoForm& f) { f.pages.setActivePage(&f.pageHidden); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) {
               return w.widgetOf(&f.pageHidden)->isVisible() && !w.widgetOf(&f.pageMain)->isVisible();
           });
    QTest::newRow("menu item hidden") << ModelChange([](DemoForm& f) { f.mnuOpen.setVisible(false); })
        << WidgetCheck([](DemoForm& f, FormWindow& w) { return !w.menus().action(&f.mnuOpen)->isVisible(); });
    QTest::newRow("window caption") << ModelChange([](DemoForm& f) { f.setCaption(QStringLiteral("Монитор ЗТА-01")); })
        << WidgetCheck([](DemoForm&, FormWindow& w) { return w.windowTitle() == QStringLiteral("Монитор ЗТА-01"); });
}

void FormWindowTest::modelChangeShowsInWidget()
{
    QFETCH(ModelChange, change);
    QFETCH(WidgetCheck, check);
    change(*m_form);
    QVERIFY(check(*m_form, *m_window));
}

void FormWindowTest::colourAndFontFollowTheModelAndResetToDesigned()
{
    QWidget* edit = m_window->widgetOf(&m_form->edit);
    const QColor designedBase = edit->palette().color(QPalette::Base);
    const QFont designedFont = edit->font();

    m_form->edit.setColor(ui::colors::Red);
    m_form->edit.setFont(ui::Font{QString(), 14, ui::colors::Green, {.bold = true}});
    QCOMPARE(edit->palette().color(QPalette::Base), QColor(Qt::red));
    QCOMPARE(edit->palette().color(QPalette::Text), QColor(0, 128, 0));
    QCOMPARE(edit->font().pointSize(), 14);
    QVERIFY(edit->font().bold());

    m_form->edit.setColor(ui::colors::Default);
    m_form->edit.setFont(ui::Font{});
    QCOMPARE(edit->palette().color(QPalette::Base), designedBase);
    QCOMPARE(edit->font(), designedFont);
}

// A label in its designed colour shows the window's colour through; an edit keeps its face.
void FormWindowTest::formColourShowsBehindControlsOfTheirDesignedColour()
{
    QWidget* label = m_window->widgetOf(&m_form->label);
    QWidget* edit = m_window->widgetOf(&m_form->edit);
    const QColor designedWindow = label->palette().color(QPalette::Window);
    const QColor designedBase = edit->palette().color(QPalette::Base);

    m_form->setColor(ui::rgb(10, 20, 30));
    QCOMPARE(m_window->clientArea()->palette().color(QPalette::Window), QColor(10, 20, 30));
    QVERIFY(m_window->clientArea()->autoFillBackground());
    QCOMPARE(label->palette().color(QPalette::Window), QColor(10, 20, 30));
    QCOMPARE(edit->palette().color(QPalette::Base), designedBase);

    m_form->setColor(ui::colors::Default);
    QCOMPARE(label->palette().color(QPalette::Window), designedWindow);
    QVERIFY(!m_window->clientArea()->autoFillBackground());
}

void FormWindowTest::moveToPutsTheWidgetIntoTheNewContainer()
{
    QWidget* edit = m_window->widgetOf(&m_form->edit);
    m_form->edit.moveTo(&m_form->pageMore, 150);
    QCOMPARE(edit->parentWidget(), m_window->widgetOf(&m_form->pageMore));
    QCOMPARE(edit->geometry(), QRect(8, 150, 200, 21));
    QVERIFY(!edit->isHidden());

    m_form->edit.moveTo(&m_form->group, 44);
    QCOMPARE(edit->parentWidget(), m_window->widgetOf(&m_form->group));
}

void FormWindowTest::formGeometryAndVisibilityDriveTheWindow()
{
    m_form->setHeight(420);
    QCOMPARE(m_window->clientArea()->height(), 420);
    m_form->setHeight(360);
    QCOMPARE(m_window->clientArea()->height(), 360);
    QCOMPARE(m_window->clientArea()->width(), 480);

    m_form->hide();
    QVERIFY(!m_window->isVisible());
    m_form->show();
    QVERIFY(m_window->isVisible());
}

void FormWindowTest::fixedBorderCannotBeResized()
{
    const QSize designed = m_window->size();
    m_window->resize(designed + QSize(100, 100));
    QCOMPARE(m_window->size(), designed);
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(m_window->windowFlags() & Qt::WindowMinimizeButtonHint);

    DemoForm sizeable;
    sizeable.border = ui::Border::Sizeable;
    FormWindow other(sizeable);
    other.resize(other.size() + QSize(100, 100));
    QCOMPARE(other.size(), designed + QSize(100, 100));
    QVERIFY(other.windowFlags() & Qt::WindowMaximizeButtonHint);
}

void FormWindowTest::keyFilterDecidesWhatReachesTheEdit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("digits kept") << "12" << "12";
    QTest::newRow("latin letter swallowed") << "1a2" << "12";
    QTest::newRow("dot replaced") << "1.5" << "1,5";
    QTest::newRow("cyrillic replaced") << QStringLiteral("1б5") << "1,5";
    QTest::newRow("cyrillic swallowed") << QStringLiteral("ж7Ы") << "7";
}

void FormWindowTest::keyFilterDecidesWhatReachesTheEdit()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    auto* edit = widget<QLineEdit>(*m_window, m_form->number);
    typeChars(edit, typed);
    QCOMPARE(edit->text(), expected);
    QCOMPARE(m_form->number.text(), expected);
    QCOMPARE(m_form->events.last(), QStringLiteral("number:") + expected);
}

void FormWindowTest::typedCharacterGoesInAtTheCursor()
{
    auto* edit = widget<QLineEdit>(*m_window, m_form->number);
    m_form->number.setText(QStringLiteral("15"));
    edit->setCursorPosition(1);
    typeChars(edit, QStringLiteral("."));
    QCOMPARE(m_form->number.text(), QStringLiteral("1,5"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(m_form->number.text(), QStringLiteral("15"));
}

void FormWindowTest::enterInAnEditReachesTheFilterThenTheDefaultButton()
{
    auto* number = widget<QLineEdit>(*m_window, m_form->number);
    QTest::keyClick(number, Qt::Key_Return);
    QCOMPARE(m_form->events, QStringList({"enter", "ok"}));

    m_form->events.clear();
    m_form->show();
    m_form->number.onKeyPress = [this](QChar& ch) {
        m_form->events << QStringLiteral("key:%1").arg(ch.unicode());
        ch = QChar(0);
    };
    QTest::keyClick(number, Qt::Key_Return);
    QCOMPARE(m_form->events, QStringList({"key:13"}));  // swallowed: no default button
}

using Gesture = std::function<void(DemoForm&, FormWindow&)>;
Q_DECLARE_METATYPE(Gesture)

void FormWindowTest::operatorGesturesUpdateTheModelBeforeTheHandler_data()
{
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<QString>("event");

    QTest::newRow("button") << Gesture([](DemoForm& f, FormWindow& w) { QTest::mouseClick(w.widgetOf(&f.button), Qt::LeftButton); })
                            << "button";
    QTest::newRow("label") << Gesture([](DemoForm& f, FormWindow& w) { QTest::mouseClick(w.widgetOf(&f.label), Qt::LeftButton); })
                           << "label";
    QTest::newRow("check box") << Gesture([](DemoForm& f, FormWindow& w) { QTest::mouseClick(w.widgetOf(&f.check), Qt::LeftButton); })
                               << "check:1";
    QTest::newRow("radio button") << Gesture([](DemoForm& f, FormWindow& w) { QTest::mouseClick(w.widgetOf(&f.radioB), Qt::LeftButton); })
                                  << "radioB:1";
    QTest::newRow("radio group item") << Gesture([](DemoForm& f, FormWindow& w) { 
        QRadioButton* item = itemsOf(w, f.choice).at(3);
        QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(6, item->height() / 2));
    })
                                      << "choice:3";
    QTest::newRow("combo choice") << Gesture([](DemoForm& f, FormWindow& w) {
        auto* c = widget<QComboBox>(w, f.combo);
        c->setFocus();
        QTest::keyClick(c, Qt::Key_Down);
    }) << QStringLiteral("combo:Альфа");
    QTest::newRow("grid row") << Gesture([](DemoForm& f, FormWindow& w) {
        f.pages.setActivePage(&f.pageMore);
        auto* g = widget<QTableWidget>(w, f.grid);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualItemRect(g->item(2, 1)).center());
    }) << "grid:2";
    QTest::newRow("track bar") << Gesture([](DemoForm& f, FormWindow& w) {
        f.pages.setActivePage(&f.pageMore);
        QTest::keyClick(w.widgetOf(&f.track), Qt::Key_Right);
    }) << "track:1";
    QTest::newRow("up-down arrow") << Gesture([](DemoForm& f, FormWindow& w) {
        f.pages.setActivePage(&f.pageMore);
        QTest::mouseClick(static_cast<ui::qt::UpDownArrows*>(w.widgetOf(&f.step))->upButton(), Qt::LeftButton);
    }) << "step:1:1";
    QTest::newRow("edit text") << Gesture([](DemoForm& f, FormWindow& w) { typeChars(w.widgetOf(&f.edit), QStringLiteral("Ю")); })
                               << QStringLiteral("change:Ю");
    QTest::newRow("menu item") << Gesture([](DemoForm& f, FormWindow& w) { w.menus().action(&f.mnuOpen)->trigger(); }) << "open";
}

void FormWindowTest::operatorGesturesUpdateTheModelBeforeTheHandler()
{
    QFETCH(Gesture, gesture);
    QFETCH(QString, event);
    gesture(*m_form, *m_window);
    QCOMPARE(m_form->events, QStringList{event});
}

void FormWindowTest::gridClickOnTheHeaderRowSelectsNothing()
{
    m_form->pages.setActivePage(&m_form->pageMore);
    auto* g = widget<QTableWidget>(*m_window, m_form->grid);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualItemRect(g->item(0, 0)).center());
    QCOMPARE(m_form->grid.row(), -1);
    QVERIFY(g->selectionModel()->selectedRows().isEmpty());
    QVERIFY(m_form->events.isEmpty());
}

void FormWindowTest::statusBarReportsButtonAndShift()
{
    QWidget* strip = m_window->widgetOf(&m_form->status);
    QTest::mouseClick(strip, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 5));
    QTest::mouseClick(strip, Qt::RightButton, {}, QPoint(130, 5));
    QCOMPARE(m_form->events, QStringList({"status:left:shift", "status:right:plain"}));
}

void FormWindowTest::actionShortcutWorksWhileTheWindowIsActive()
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(m_window->widgetOf(&m_form->edit), Qt::Key_K, Qt::ControlModifier);
    QCOMPARE(m_form->events, QStringList{"connect"});
}

void FormWindowTest::rightClickAnywhereOpensThePopupMenu()
{
    QWidget* edit = m_window->widgetOf(&m_form->edit);
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(3, 3), edit->mapToGlobal(QPoint(3, 3)));
    QApplication::sendEvent(edit, &click);
    QMenu* popup = m_window->menus().popupMenu(&m_form->ppm);
    QVERIFY(popup && popup->isVisible());
    QCOMPARE(popup->actions().first()->text(), QStringLiteral("Изменить цвет"));
    popup->hide();
}

void FormWindowTest::mouseMovesReportRecolourableControlsOnly()
{
    sendMouseMove(m_window->widgetOf(&m_form->edit));
    sendMouseMove(m_window->widgetOf(&m_form->label));   // labels do not report
    sendMouseMove(m_window->widgetOf(&m_form->button));  // nor do buttons
    sendMouseMove(m_window->widgetOf(&m_form->group));
    sendMouseMove(m_window->widgetOf(&m_form->radioA));  // inside the panel, but a radio button
    sendMouseMove(m_window->clientArea(), QPointF(5, 340));
    QCOMPARE(m_form->events, QStringList({"move:edit", "move:group", "move:form"}));
}

void FormWindowTest::closeBoxAsksTheForm()
{
    m_window->close();
    QVERIFY(!m_form->isVisible());
    QVERIFY(!m_window->isVisible());

    m_form->show();
    m_form->onClose = [this] { m_form->events << QStringLiteral("close asked"); };
    m_window->close();
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_form->events, QStringList{"close asked"});
}

QTEST_MAIN(FormWindowTest)

#include "FormWindowTest.moc"
