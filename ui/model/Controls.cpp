#include "ui/model/Controls.h"

#include "ui/model/Form.h"

#include <QTimer>

#include <algorithm>

namespace ui {

Button::Button(Form* form, const char* name, Control* parent, Kind kind) : Control(form, name, kind, parent) {}

void Button::click()
{
    if (isEnabled())
        run(onClick);
}

Label::Label(Form* form, const char* name, Control* parent) : Control(form, name, Kind::Label, parent) {}

void Label::click()
{
    if (isEnabled())
        run(onClick);
}

Edit::Edit(Form* form, const char* name, Control* parent) : Control(form, name, Kind::Edit, parent) {}

void Edit::setReadOnly(bool r)
{
    assign(m_readOnly, r, Prop::ReadOnly);
}

QChar Edit::type(QChar ch)
{
    if (!isEnabled())
        return QChar(0);
    if (onKeyPress)
        run([&] { onKeyPress(ch); });
    if (ch.isNull() || m_readOnly || ch == QChar(13))
        return ch;
    QString t = text();
    if (ch == QChar(8))
        t.chop(1);
    else
        t.append(ch);
    edited(t);
    return ch;
}

void Edit::typeText(const QString& s)
{
    for (QChar ch : s)
        type(ch);
}

void Edit::edited(const QString& t)
{
    if (t == text())
        return;
    setText(t);
    run(onChange);
}

void Edit::click()
{
    if (isEnabled())
        run(onClick);
}

Memo::Memo(Form* form, const char* name, Control* parent) : Control(form, name, Kind::Memo, parent) {}

void Memo::clear()
{
    if (m_lines.isEmpty())
        return;
    m_lines.clear();
    notify(Prop::Lines);
}

void Memo::add(const QString& line)
{
    m_lines.append(line);
    notify(Prop::Lines);
}

CheckBox::CheckBox(Form* form, const char* name, Control* parent) : Control(form, name, Kind::CheckBox, parent) {}

void CheckBox::setChecked(bool c)
{
    assign(m_checked, c, Prop::Checked);
}

void CheckBox::click()
{
    if (!isEnabled())
        return;
    setChecked(!m_checked);
    run(onClick);
}

RadioButton::RadioButton(Form* form, const char* name, Control* parent) : Control(form, name, Kind::RadioButton, parent) {}

void RadioButton::setChecked(bool c)
{
    if (!assign(m_checked, c, Prop::Checked) || !c)
        return;
    for (Control* other : form()->controls())
        if (other != this && other->kind() == Kind::RadioButton && other->parentControl() == parentControl())
            static_cast<RadioButton*>(other)->setChecked(false);
}

void RadioButton::click()
{
    if (!isEnabled())
        return;
    setChecked(true);
    run(onClick);
}

RadioGroup::RadioGroup(Form* form, const char* name, Control* parent) : Control(form, name, Kind::RadioGroup, parent) {}

void RadioGroup::setItems(const QStringList& items)
{
    m_items = items;
    if (m_index >= m_items.size())
        m_index = -1;
    notify(Prop::Items);
}

void RadioGroup::setItemIndex(int i)
{
    assign(m_index, i >= -1 && i < m_items.size() ? i : -1, Prop::ItemIndex);
}

QString RadioGroup::selectedText() const
{
    return m_index >= 0 ? m_items.at(m_index) : QString();
}

void RadioGroup::select(int i)
{
    if (!isEnabled())
        return;
    setItemIndex(i);
    run(onClick);
}

ComboBox::ComboBox(Form* form, const char* name, Control* parent) : Control(form, name, Kind::ComboBox, parent) {}

void ComboBox::setItems(const QStringList& items)
{
    m_items = items;
    m_index = -1;
    notify(Prop::Items);
    notify(Prop::ItemIndex);
}

void ComboBox::addItem(const QString& item)
{
    m_items.append(item);
    notify(Prop::Items);
}

void ComboBox::clear()
{
    setItems({});
    m_text.clear();
}

void ComboBox::setItemIndex(int i)
{
    assign(m_index, i >= -1 && i < m_items.size() ? i : -1, Prop::ItemIndex);
}

QString ComboBox::text() const
{
    return m_index >= 0 ? m_items.at(m_index) : m_text;
}

void ComboBox::setText(const QString& t)
{
    m_text = t;
    const int i = m_items.indexOf(t);
    if (i >= 0)
        setItemIndex(i);
    else {
        m_index = -1;
        notify(Prop::ItemIndex);
    }
    notify(Prop::Caption);
}

void ComboBox::select(int i)
{
    if (!isEnabled())
        return;
    setItemIndex(i);
    run(onChange);
}

Grid::Grid(Form* form, const char* name, Control* parent) : Control(form, name, Kind::Grid, parent) {}

void Grid::setSize(int cols, int rows)
{
    m_cols = cols;
    m_rows = rows;
    m_cells.resize(rows);
    for (QStringList& r : m_cells) {
        while (r.size() < cols)
            r.append(QString());
        while (r.size() > cols)
            r.removeLast();
    }
    notify(Prop::Cells);
}

QString Grid::cell(int col, int row) const
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols)
        return {};
    return m_cells.at(row).at(col);
}

void Grid::setCell(int col, int row, const QString& text)
{
    if (row < 0 || row >= m_rows || col < 0 || col >= m_cols || m_cells[row][col] == text)
        return;
    m_cells[row][col] = text;
    notify(Prop::Cells);
}

void Grid::setRow(int r)
{
    assign(m_row, r, Prop::Row);
}

void Grid::selectRow(int r)
{
    if (!isEnabled() || r < fixedRows || r >= m_rows)
        return;
    setRow(r);
    run(onClick);
}

RangeControl::RangeControl(Form* form, const char* name, Control* parent, Kind kind) : Control(form, name, kind, parent) {}

void RangeControl::setRange(int min, int max)
{
    if (min == m_min && max == m_max)
        return;
    m_min = min;
    m_max = std::max(min, max);
    notify(Prop::Range);
    setPosition(m_pos);
}

void RangeControl::setPosition(int p)
{
    assign(m_pos, std::clamp(p, m_min, m_max), Prop::Position);
}

void RangeControl::move(int p)
{
    if (!isEnabled())
        return;
    setPosition(p);
    run(onChange);
}

UpDown::UpDown(Form* form, const char* name, Control* parent, Edit* associate)
    : RangeControl(form, name, parent, Kind::UpDown), m_associate(associate)
{
    if (!m_associate)
        return;
    connect(this, &Control::changed, this, [this](Prop what) {
        if (what == Prop::Position)
            m_associate->setText(QString::number(position()));
    });
    // A number typed into the edit moves the arrows' position, as far as the range allows.
    connect(m_associate, &Control::changed, this, [this](Prop what) {
        bool ok = false;
        const int v = m_associate->text().toInt(&ok);
        if (what == Prop::Caption && ok)
            setPosition(v);
    });
}

StatusBar::StatusBar(Form* form, const char* name, Control* parent) : Control(form, name, Kind::StatusBar, parent) {}

void StatusBar::setPanels(const QList<StatusPanel>& panels)
{
    m_panels = panels;
    notify(Prop::Panels);
}

QString StatusBar::panelText(int i) const
{
    return i >= 0 && i < m_panels.size() ? m_panels.at(i).text : QString();
}

void StatusBar::setPanelText(int i, const QString& text)
{
    if (i < 0 || i >= m_panels.size() || m_panels[i].text == text)
        return;
    m_panels[i].text = text;
    notify(Prop::Panels);
}

void StatusBar::mouseDown(Qt::MouseButton button, bool shift)
{
    if (onMouseDown)
        run([&] { onMouseDown(button, shift); });
}

GroupBox::GroupBox(Form* form, const char* name, Control* parent) : Control(form, name, Kind::GroupBox, parent) {}

Panel::Panel(Form* form, const char* name, Control* parent) : Control(form, name, Kind::Panel, parent) {}

void Panel::click()
{
    if (isEnabled())
        run(onClick);
}

PageControl::PageControl(Form* form, const char* name, Control* parent) : Control(form, name, Kind::PageControl, parent) {}

void PageControl::setActivePage(Page* p)
{
    assign(m_active, p, Prop::ActivePage);
}

Page::Page(Form* form, const char* name, PageControl* owner) : Control(form, name, Kind::Page, owner), m_owner(owner)
{
    owner->m_pages.append(this);
}

void Page::setTabVisible(bool v)
{
    assign(m_tabVisible, v, Prop::TabVisible);
}

MenuItem::MenuItem(Form* form, const char* name, MenuItem* parentItem)
    : Control(form, name, Kind::MenuItem, parentItem), m_parentItem(parentItem)
{
}

void MenuItem::click()
{
    if (isEnabled() && isVisible())
        run(onClick);
}

Action::Action(Form* form, const char* name, const QString& sc) : Control(form, name, Kind::Action, nullptr), shortcut(sc) {}

void Action::trigger()
{
    if (isEnabled())
        run(onExecute);
}

Timer::Timer(Form* form, const char* name, int intervalMs) : Control(form, name, Kind::Timer, nullptr), m_timer(new QTimer(this))
{
    m_timer->setInterval(intervalMs);
    setEnabled(false);
    connect(m_timer, &QTimer::timeout, this, &Timer::tick);
    connect(this, &Control::changed, this, [this](Prop what) {
        if (what == Prop::Enabled)
            isEnabled() ? m_timer->start() : m_timer->stop();
    });
}

Timer::~Timer() = default;

int Timer::interval() const
{
    return m_timer->interval();
}

void Timer::setInterval(int ms)
{
    m_timer->setInterval(ms);
    notify(Prop::Interval);
}

void Timer::tick()
{
    if (isEnabled())
        run(onTimer);
}

}  // namespace ui
