#pragma once
// The control kinds of a form model. Each kind adds the properties it owns and the operator
// gestures it takes; a gesture updates the property first, then runs the handler.
#include "ui/model/Control.h"

#include <QList>
#include <QStringList>
#include <QVector>

#include <functional>

class QTimer;

namespace ui {

using Handler = std::function<void()>;

// A push button, or a flat glyph button (Kind::SpeedButton).
class Button : public Control {
    Q_OBJECT
public:
    Button(Form* form, const char* name, Control* parent, Kind kind = Kind::Button);
    Handler onClick;
    bool isDefault = false;  // Enter in the form presses it
    bool isCancel = false;   // Esc in the form presses it
    void click();            // the operator presses the button (nothing while disabled)
};

class Label : public Control {
    Q_OBJECT
public:
    Label(Form* form, const char* name, Control* parent);
    Handler onClick;
    bool wordWrap = false;
    Alignment alignment = Alignment::Left;
    void click();
};

// A one-line edit. Its text is the caption.
class Edit : public Control {
    Q_OBJECT
public:
    Edit(Form* form, const char* name, Control* parent);
    const QString& text() const { return caption(); }
    void setText(const QString& t) { setCaption(t); }
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool r);

    // The key filter sees every typed character and may replace it or swallow it (set it
    // to QChar(0)). Enter arrives as QChar(13), backspace as QChar(8).
    std::function<void(QChar&)> onKeyPress;
    Handler onChange;  // after the operator changed the text
    Handler onClick;

    // The operator types one character: the filter runs, then the surviving character is
    // inserted at the end (backspace removes the last one). Returns the character kept.
    QChar type(QChar ch);
    void typeText(const QString& s);
    // The operator replaced the whole text (the Qt layer after an edit).
    void edited(const QString& t);
    void click();

private:
    bool m_readOnly = false;
};

// A multi-line read-only log.
class Memo : public Control {
    Q_OBJECT
public:
    Memo(Form* form, const char* name, Control* parent);
    const QStringList& lines() const { return m_lines; }
    void clear();
    void add(const QString& line);

private:
    QStringList m_lines;
};

class CheckBox : public Control {
    Q_OBJECT
public:
    CheckBox(Form* form, const char* name, Control* parent);
    bool isChecked() const { return m_checked; }
    void setChecked(bool c);  // by the logic: no handler runs
    Handler onClick;
    void click();             // the operator toggles the box, then the handler runs

private:
    bool m_checked = false;
};

// A radio button; checking one clears the other radio buttons of the same container.
class RadioButton : public Control {
    Q_OBJECT
public:
    RadioButton(Form* form, const char* name, Control* parent);
    bool isChecked() const { return m_checked; }
    void setChecked(bool c);
    Handler onClick;
    void click();

private:
    bool m_checked = false;
};

// Items shown as radio buttons inside a captioned frame; index -1 means none selected.
class RadioGroup : public Control {
    Q_OBJECT
public:
    RadioGroup(Form* form, const char* name, Control* parent);
    const QStringList& items() const { return m_items; }
    void setItems(const QStringList& items);
    int itemIndex() const { return m_index; }
    void setItemIndex(int i);
    QString selectedText() const;
    int columns = 1;
    Handler onClick;
    void select(int i);  // the operator clicks item i

private:
    QStringList m_items;
    int m_index = -1;
};

class ComboBox : public Control {
    Q_OBJECT
public:
    ComboBox(Form* form, const char* name, Control* parent);
    const QStringList& items() const { return m_items; }
    void setItems(const QStringList& items);
    void addItem(const QString& item);
    void clear();
    int itemIndex() const { return m_index; }
    void setItemIndex(int i);
    // The text in the box: the selected item, or a text of its own when nothing is selected.
    QString text() const;
    void setText(const QString& t);
    bool dropDownList = true;  // the operator can only pick items
    Handler onChange;
    void select(int i);

private:
    QStringList m_items;
    int m_index = -1;
    QString m_text;
};

// A string grid with fixed header rows and whole-row selection.
class Grid : public Control {
    Q_OBJECT
public:
    Grid(Form* form, const char* name, Control* parent);
    int colCount() const { return m_cols; }
    int rowCount() const { return m_rows; }
    void setSize(int cols, int rows);
    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    int fixedRows = 1;
    QVector<int> colWidths;
    int row() const { return m_row; }
    void setRow(int r);
    Handler onClick;
    void selectRow(int r);  // the operator clicks a row

private:
    int m_cols = 0;
    int m_rows = 0;
    QVector<QStringList> m_cells;  // [row][col]
    int m_row = -1;
};

// A progress bar or a track bar (Kind::TrackBar, which the operator can move).
class RangeControl : public Control {
    Q_OBJECT
public:
    RangeControl(Form* form, const char* name, Control* parent, Kind kind);
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    void setRange(int min, int max);
    void setMaximum(int max) { setRange(m_min, max); }
    int position() const { return m_pos; }
    void setPosition(int p);
    void stepBy(int n = 1) { setPosition(m_pos + n); }
    Handler onChange;
    void move(int p);  // the operator moves a track bar or up-down control

private:
    int m_min = 0;
    int m_max = 100;
    int m_pos = 0;
};

class ProgressBar : public RangeControl {
    Q_OBJECT
public:
    ProgressBar(Form* form, const char* name, Control* parent) : RangeControl(form, name, parent, Kind::ProgressBar) {}
};

class TrackBar : public RangeControl {
    Q_OBJECT
public:
    TrackBar(Form* form, const char* name, Control* parent) : RangeControl(form, name, parent, Kind::TrackBar) {}
};

// Arrows beside an edit; moving them writes the position into the edit as decimal text.
class UpDown : public RangeControl {
    Q_OBJECT
public:
    UpDown(Form* form, const char* name, Control* parent, Edit* associate);
    Edit* associate() const { return m_associate; }

private:
    Edit* m_associate;
};

struct StatusPanel {
    QString text;
    int width = 0;  // 0: takes the rest of the bar
    Alignment alignment = Alignment::Left;
    Bevel bevel = Bevel::Lowered;
};

class StatusBar : public Control {
    Q_OBJECT
public:
    StatusBar(Form* form, const char* name, Control* parent);
    const QList<StatusPanel>& panels() const { return m_panels; }
    void setPanels(const QList<StatusPanel>& panels);
    QString panelText(int i) const;
    void setPanelText(int i, const QString& text);
    // Mouse press on the bar: which buttons, whether Shift was held.
    std::function<void(Qt::MouseButton button, bool shift)> onMouseDown;
    void mouseDown(Qt::MouseButton button, bool shift);

private:
    QList<StatusPanel> m_panels;
};

class GroupBox : public Control {
    Q_OBJECT
public:
    GroupBox(Form* form, const char* name, Control* parent);
};

// A raised or lowered panel with an optional caption; it may hold other controls.
class Panel : public Control {
    Q_OBJECT
public:
    Panel(Form* form, const char* name, Control* parent);
    Handler onClick;
    void click();
};

class Page;

class PageControl : public Control {
    Q_OBJECT
public:
    PageControl(Form* form, const char* name, Control* parent);
    const QList<Page*>& pages() const { return m_pages; }
    Page* activePage() const { return m_active; }
    void setActivePage(Page* p);
    bool multiLine = true;

private:
    friend class Page;
    QList<Page*> m_pages;
    Page* m_active = nullptr;
};

class Page : public Control {
    Q_OBJECT
public:
    Page(Form* form, const char* name, PageControl* owner);
    PageControl* owner() const { return m_owner; }
    bool isTabVisible() const { return m_tabVisible; }
    void setTabVisible(bool v);

private:
    PageControl* m_owner;
    bool m_tabVisible = true;
};

// An item of the form's main menu (parent null: a top-level menu) or of a pop-up menu.
class MenuItem : public Control {
    Q_OBJECT
public:
    MenuItem(Form* form, const char* name, MenuItem* parentItem);
    MenuItem* parentItem() const { return m_parentItem; }
    QString shortcut;
    bool popup = false;  // top-level item of a pop-up menu instead of the main menu
    Handler onClick;
    void click();

private:
    MenuItem* m_parentItem;
};

// A command with a keyboard shortcut that works while its form has the focus.
class Action : public Control {
    Q_OBJECT
public:
    Action(Form* form, const char* name, const QString& shortcut);
    QString shortcut;
    Handler onExecute;
    void trigger();
};

// A timer of the form; its ticks run the handler on the owning thread's event loop.
class Timer : public Control {
    Q_OBJECT
public:
    Timer(Form* form, const char* name, int intervalMs);
    ~Timer() override;
    int interval() const;
    void setInterval(int ms);
    bool isRunning() const { return isEnabled(); }
    void setRunning(bool on) { setEnabled(on); }
    Handler onTimer;
    void tick();  // one tick, as the event loop would deliver it

private:
    QTimer* m_timer;
};

}  // namespace ui
