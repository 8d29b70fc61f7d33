// One-line edits with their key filter, and read-only multi-line logs.
#include "ui/qt/views/Views.h"
#include "ui/qt/widgets/FilteredLineEdit.h"
#include "ui/model/Form.h"

#include <QPlainTextEdit>

namespace ui::qt::views {

namespace {

class EditView : public ControlView {
public:
    EditView(Edit& e, FilteredLineEdit* w, const Lookup& l) : ControlView(e, w, l), m_edit(e), m_widget(w)
    {
        w->filter = [this](QChar typed) { return filtered(typed); };
        w->pressed = [this] { m_edit.click(); };
        connect(w, &QLineEdit::textEdited, this, [this](const QString& t) { m_edit.edited(t); });
    }

protected:
    void sync(Prop what) override
    {
        if (what == Prop::Caption && m_widget->text() != m_edit.text())
            m_widget->setText(m_edit.text());
        else if (what == Prop::ReadOnly)
            m_widget->setReadOnly(m_edit.isReadOnly());
        ControlView::sync(what);
    }

private:
    // The model's key filter decides; the line edit then applies the kept character at
    // the cursor, and its textEdited signal reports the new text.
    QChar filtered(QChar typed)
    {
        QChar kept = typed;
        if (m_edit.onKeyPress)
            m_edit.form()->invoke([&] { m_edit.onKeyPress(kept); });
        return kept;
    }

    Edit& m_edit;
    FilteredLineEdit* m_widget;
};

class MemoView : public ControlView {
public:
    MemoView(Memo& m, QPlainTextEdit* w, const Lookup& l) : ControlView(m, w, l), m_memo(m), m_widget(w)
    {
        w->setReadOnly(true);
    }

protected:
    void sync(Prop what) override
    {
        if (what == Prop::Lines)
            showLines();
        ControlView::sync(what);
    }

private:
    // A log mostly grows by one line; append it instead of refilling the whole text.
    void showLines()
    {
        const QStringList& lines = m_memo.lines();
        if (lines.size() == m_shown + 1 && m_shown > 0)
            m_widget->appendPlainText(lines.last());
        else
            m_widget->setPlainText(lines.join(QLatin1Char('\n')));
        m_shown = int(lines.size());
    }

    Memo& m_memo;
    QPlainTextEdit* m_widget;
    int m_shown = 0;
};

}  // namespace

ControlView* edit(Edit& c, const Lookup& l)
{
    return new EditView(c, new FilteredLineEdit, l);
}

ControlView* memo(Memo& c, const Lookup& l)
{
    return new MemoView(c, new QPlainTextEdit, l);
}

}  // namespace ui::qt::views
