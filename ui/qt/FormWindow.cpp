#include "ui/qt/FormWindow.h"

#include "ui/qt/AccessibleNames.h"
#include "ui/qt/Appearance.h"
#include "ui/qt/ControlView.h"
#include "ui/qt/MenuBinder.h"
#include "ui/qt/PointerReports.h"
#include "ui/qt/TabOrder.h"
#include "ui/qt/widgets/MultiRowTabsAccessible.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>

namespace ui::qt {

FormWindow::FormWindow(Form& form, QWidget* parent) : QMainWindow(parent), m_form(form), m_client(new QWidget)
{
    setObjectName(form.name());
    setCentralWidget(m_client);
    QMenuBar* bar = nullptr;
    if (MenuBinder::hasMainMenu(form)) {
        bar = menuBar();
        bar->setNativeMenuBar(false);  // part of the window, so it is grabbed with it
    }
    buildControls();
    const auto widgets = [this](const Control* c) { return widgetOf(c); };
    MultiRowTabsAccessible::install();
    new AccessibleNames(form, widgets, this);
    new TabOrder(form, widgets, this);
    m_menus = new MenuBinder(form, *this, bar);
    m_pointer = new PointerReports(
        form, *m_client, [this](const QWidget* w) { return m_controlOfWidget.value(w); },
        [this]() -> QMenu* { return m_menus->popupMenu(m_form.popupMenu); });
    m_pointer->watch();
    setWindowTitle(form.caption());
    applyFlags();
    applyGeometry();
    applyColor();
    connect(&form, &Form::changed, this, &FormWindow::formChanged);
    connect(&form, &QObject::destroyed, this, [this] { deleteLater(); });
    applyVisibility();
}

FormWindow::~FormWindow() = default;

void FormWindow::buildControls()
{
    // All widgets exist before any is placed, so a container made later than its
    // contents is still found; placing in creation order keeps the designed stacking.
    const ControlView::ContainerLookup containers = [this](const Control* c) { return containerOf(c); };
    for (Control* c : m_form.controls())
        if (ControlView* v = createView(*c, containers)) {
            m_views.insert(c, v);
            m_controlOfWidget.insert(v->widget(), c);
        }
    for (Control* c : m_form.controls())
        if (ControlView* v = m_views.value(c))
            v->syncAll();
}

QWidget* FormWindow::containerOf(const Control* c) const
{
    const ControlView* v = c ? m_views.value(c) : nullptr;
    return v ? v->childArea() : m_client;
}

QWidget* FormWindow::widgetOf(const Control* c) const
{
    const ControlView* v = m_views.value(c);
    return v ? v->widget() : nullptr;
}

void FormWindow::applyFlags()
{
    Qt::WindowFlags f = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    const bool fixed = m_form.border != Border::Sizeable && m_form.border != Border::ToolWindow;
    switch (m_form.border) {
    case Border::Sizeable:
    case Border::Fixed:
        f |= Qt::Window;
        if (m_form.systemMenu && m_form.minimizeBox)
            f |= Qt::WindowMinimizeButtonHint;
        if (m_form.systemMenu && m_form.maximizeBox && !fixed)
            f |= Qt::WindowMaximizeButtonHint;
        break;
    case Border::Dialog:
        f |= Qt::Dialog;
        break;
    case Border::ToolWindow:
        f |= Qt::Tool;
        break;
    case Border::None:
        f = Qt::Window | Qt::FramelessWindowHint;
        break;
    }
    if (m_form.systemMenu && m_form.border != Border::None)
        f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (m_form.stayOnTop)
        f |= Qt::WindowStaysOnTopHint;
    setWindowFlags(f);
}

void FormWindow::applyGeometry()
{
    const QRect& g = m_form.geometry();
    const int menuHeight = menuWidget() ? menuWidget()->sizeHint().height() : 0;
    const QSize outer(g.width(), g.height() + menuHeight);
    m_applying = true;
    if (m_form.border == Border::Sizeable || m_form.border == Border::ToolWindow) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(outer);
    } else {
        setFixedSize(outer);
    }
    if (m_form.placement == Placement::Designed || m_placed)
        move(g.topLeft());
    m_applying = false;
}

// Only the window role: edits and buttons keep their own faces.
void FormWindow::applyColor()
{
    QPalette p;
    if (m_form.color() != colors::Default)
        p.setColor(QPalette::Window, toQColor(m_form.color()));
    m_client->setPalette(p);
    m_client->setAutoFillBackground(m_form.color() != colors::Default);
}

void FormWindow::applyVisibility()
{
    setVisible(m_form.isVisible());
}

void FormWindow::formChanged(FormProp what)
{
    switch (what) {
    case FormProp::Caption:  setWindowTitle(m_form.caption()); break;
    case FormProp::Geometry: applyGeometry(); break;
    case FormProp::Visible:  applyVisibility(); break;
    case FormProp::Color:    applyColor(); break;
    }
}

void FormWindow::showEvent(QShowEvent* e)
{
    if (!m_placed && m_form.placement != Placement::Designed) {
        const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
        QRect r = frameGeometry();
        r.moveCenter(s->availableGeometry().center());
        m_placed = true;
        move(r.topLeft());
    }
    m_placed = true;
    QMainWindow::showEvent(e);
}

void FormWindow::moveEvent(QMoveEvent* e)
{
    QMainWindow::moveEvent(e);
    if (!m_applying && isVisible())
        m_form.setPosition(pos().x(), pos().y());
}

void FormWindow::closeEvent(QCloseEvent* e)
{
    // The form decides: without a handler it hides, which hides this window.
    e->ignore();
    m_form.close();
}

void FormWindow::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        m_form.pressDefault();
    else if (e->key() == Qt::Key_Escape)
        m_form.pressCancel();
    else
        QMainWindow::keyPressEvent(e);
}

void FormWindow::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        m_form.activate();
}

}  // namespace ui::qt
