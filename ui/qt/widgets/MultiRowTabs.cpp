#include "ui/qt/widgets/MultiRowTabs.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace ui::qt {

namespace {
constexpr int kFrame = 2;  // the pane's border

// Screen readers hear about a tab through the strip's interface, where tab i is child i.
void announce(QAccessibleEvent&& e, int i)
{
    e.setChild(i);
    QAccessible::updateAccessibility(&e);
}

// What showing or hiding a tab changes of its state.
QAccessible::State visibilityStates()
{
    QAccessible::State s;
    s.invisible = true;
    s.offscreen = true;
    return s;
}
}  // namespace

MultiRowTabs::MultiRowTabs(QWidget* parent) : QWidget(parent) {}

int MultiRowTabs::addPage(QWidget* page, const QString& caption)
{
    page->setParent(this);
    m_tabs.append(Tab{page, caption, true, QRect()});
    if (m_current < 0)
        m_current = count() - 1;
    page->setVisible(count() - 1 == m_current);
    relayout();
    return count() - 1;
}

int MultiRowTabs::indexOf(const QWidget* page) const
{
    for (int i = 0; i < count(); ++i)
        if (m_tabs.at(i).page == page)
            return i;
    return -1;
}

void MultiRowTabs::setTabText(int i, const QString& caption)
{
    m_tabs[i].caption = caption;
    relayout();
    announce(QAccessibleEvent(this, QAccessible::NameChanged), i);
}

void MultiRowTabs::setTabVisible(int i, bool visible)
{
    m_tabs[i].visible = visible;
    relayout();
    // A state change must come as its own event type: readers take the changed states from it.
    announce(QAccessibleStateChangeEvent(this, visibilityStates()), i);
}

void MultiRowTabs::setCurrentIndex(int i)
{
    m_current = i >= 0 && i < count() ? i : -1;
    for (int k = 0; k < count(); ++k)
        m_tabs.at(k).page->setVisible(k == m_current);
    relayout();
    if (m_current >= 0)
        announce(QAccessibleEvent(this, QAccessible::Selection), m_current);
}

QRect MultiRowTabs::tabRect(int i) const
{
    return m_tabs.at(i).visible ? m_tabs.at(i).rect : QRect();
}

// A tab as big as the style makes it for its caption, the way QTabBar sizes its tabs.
QSize MultiRowTabs::tabSize(const QString& caption) const
{
    QStyleOptionTab opt;
    opt.initFrom(this);
    opt.shape = QTabBar::RoundedNorth;
    opt.text = caption;
    const QSize text(fontMetrics().horizontalAdvance(caption) + style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &opt, this),
                     fontMetrics().height() + style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &opt, this));
    return style()->sizeFromContents(QStyle::CT_TabBarTab, &opt, text, this);
}

int MultiRowTabs::tabHeight() const
{
    return tabSize(QStringLiteral("X")).height();
}

QRect MultiRowTabs::pageRect() const
{
    const int top = m_rowCount * tabHeight();
    return QRect(kFrame, top + kFrame, width() - 2 * kFrame, height() - top - 2 * kFrame);
}

void MultiRowTabs::relayout()
{
    // Flow the visible tabs into rows, then move the current tab's row to the bottom.
    QList<QList<int>> rows;
    int x = 0;
    for (int i = 0; i < count(); ++i) {
        Tab& t = m_tabs[i];
        t.rect = QRect();
        if (!t.visible)
            continue;
        const int w = tabSize(t.caption).width();
        if (rows.isEmpty() || (x > 0 && x + w > width())) {
            rows.append(QList<int>());
            x = 0;
        }
        rows.last().append(i);
        t.rect = QRect(x, 0, w, tabHeight());
        x += w;
    }
    for (int r = 0; r < rows.size(); ++r)
        if (rows.at(r).contains(m_current)) {
            rows.append(rows.takeAt(r));
            break;
        }
    m_rowCount = int(rows.size());
    for (int r = 0; r < rows.size(); ++r)
        for (int i : rows.at(r))
            m_tabs[i].rect.moveTop(r * tabHeight());
    for (const Tab& t : m_tabs)
        t.page->setGeometry(pageRect());
    update();
}

void MultiRowTabs::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.shape = QTabBar::RoundedNorth;
    frame.rect = QRect(0, m_rowCount * tabHeight(), width(), height() - m_rowCount * tabHeight());
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &p, this);
    for (int i = 0; i < count(); ++i) {
        const Tab& t = m_tabs.at(i);
        if (!t.visible)
            continue;
        QStyleOptionTab tab;
        tab.initFrom(this);
        tab.shape = QTabBar::RoundedNorth;
        tab.rect = t.rect;
        tab.text = t.caption;
        tab.position = QStyleOptionTab::Middle;
        tab.state &= ~QStyle::State_HasFocus;
        if (i == m_current)
            tab.state |= QStyle::State_Selected;
        // Styles draw a selected tab on into the pane; only its joint with the pane may show.
        p.setClipRect(t.rect.adjusted(0, 0, 0, kFrame));
        style()->drawControl(QStyle::CE_TabBarTab, &tab, &p, this);
    }
}

void MultiRowTabs::mousePressEvent(QMouseEvent* e)
{
    for (int i = 0; i < count(); ++i)
        if (tabRect(i).contains(e->position().toPoint())) {
            pressTab(i);
            return;
        }
    QWidget::mousePressEvent(e);
}

void MultiRowTabs::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    relayout();
}

void MultiRowTabs::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        relayout();
}

}  // namespace ui::qt
