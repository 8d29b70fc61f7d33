// Check boxes, radio buttons, radio groups and combo boxes: the operator's choice goes to
// the model first, and the widget is then set back to what the model holds.
#include "ui/qt/views/Views.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

namespace ui::qt::views {

namespace {

template <class Model>
class CheckView : public ControlView {
public:
    CheckView(Model& m, QAbstractButton* w, const Lookup& l) : ControlView(m, w, l), m_model(m), m_widget(w)
    {
        connect(w, &QAbstractButton::clicked, this, [this] {
            m_model.click();
            showChecked();
        });
    }

protected:
    void sync(Prop what) override
    {
        if (what == Prop::Caption) {
            m_widget->setText(m_model.caption());
            place();
        } else if (what == Prop::Checked) {
            showChecked();
        }
        ControlView::sync(what);
    }
    QSize fitted(const QSize& designed) const override { return designed.expandedTo(QSize(m_widget->sizeHint().width(), 0)); }

private:
    void showChecked()
    {
        const QSignalBlocker block(m_widget);
        m_widget->setChecked(m_model.isChecked());
    }

    Model& m_model;
    QAbstractButton* m_widget;
};

class RadioGroupView : public ControlView {
public:
    RadioGroupView(RadioGroup& g, QGroupBox* w, const Lookup& l) : ControlView(g, w, l), m_group(g), m_widget(w) {}

protected:
    void sync(Prop what) override
    {
        if (what == Prop::Caption)
            m_widget->setTitle(m_group.caption());
        else if (what == Prop::Items)
            rebuildItems();
        else if (what == Prop::ItemIndex)
            showIndex();
        ControlView::sync(what);
        if (what == Prop::Font)
            arrangeItems();
    }
    void place() override
    {
        ControlView::place();
        arrangeItems();
    }

private:
    void rebuildItems()
    {
        qDeleteAll(m_buttons);
        m_buttons.clear();
        for (int i = 0; i < m_group.items().size(); ++i) {
            auto* b = new QRadioButton(m_group.items().at(i), m_widget);
            b->setAutoExclusive(false);  // the model decides which item is chosen
            connect(b, &QRadioButton::clicked, this, [this, i] {
                m_group.select(i);
                showIndex();
            });
            b->show();
            m_buttons.append(b);
        }
        arrangeItems();
        showIndex();
    }
    void showIndex()
    {
        for (int i = 0; i < m_buttons.size(); ++i) {
            const QSignalBlocker block(m_buttons.at(i));
            m_buttons.at(i)->setChecked(i == m_group.itemIndex());
        }
    }
    // Items fill the columns top to bottom with equal spacing, below the caption.
    void arrangeItems()
    {
        const int n = int(m_buttons.size());
        if (n == 0)
            return;
        const int columns = std::max(1, m_group.columns);
        const int rows = (n + columns - 1) / columns;
        const int top = m_widget->fontMetrics().height();
        const int rowHeight = std::max(1, (m_widget->height() - top - 4) / rows);
        const int columnWidth = (m_widget->width() - 12) / columns;
        for (int i = 0; i < n; ++i)
            m_buttons.at(i)->setGeometry(8 + (i / rows) * columnWidth, top + (i % rows) * rowHeight, columnWidth - 2, rowHeight);
    }

    RadioGroup& m_group;
    QGroupBox* m_widget;
    QList<QRadioButton*> m_buttons;
};

class ComboBoxView : public ControlView {
public:
    ComboBoxView(ComboBox& c, QComboBox* w, const Lookup& l) : ControlView(c, w, l), m_combo(c), m_widget(w)
    {
        w->setEditable(!c.dropDownList);
        w->setInsertPolicy(QComboBox::NoInsert);
        connect(w, &QComboBox::activated, this, [this](int i) {
            m_combo.select(i);
            showChoice();
        });
        if (QLineEdit* line = w->lineEdit())
            connect(line, &QLineEdit::textEdited, this, [this](const QString& t) { m_combo.setText(t); });
    }

protected:
    void sync(Prop what) override
    {
        if (what == Prop::Items) {
            const QSignalBlocker block(m_widget);
            m_widget->clear();
            m_widget->addItems(m_combo.items());
            showChoice();
        } else if (what == Prop::ItemIndex || what == Prop::Caption) {
            showChoice();
        }
        ControlView::sync(what);
    }

private:
    void showChoice()
    {
        const QSignalBlocker block(m_widget);
        m_widget->setCurrentIndex(m_combo.itemIndex());
        if (m_widget->isEditable() && m_widget->currentText() != m_combo.text())
            m_widget->setEditText(m_combo.text());
    }

    ComboBox& m_combo;
    QComboBox* m_widget;
};

}  // namespace

ControlView* checkBox(CheckBox& c, const Lookup& l)
{
    return new CheckView<CheckBox>(c, new QCheckBox, l);
}

ControlView* radioButton(RadioButton& c, const Lookup& l)
{
    auto* w = new QRadioButton;
    w->setAutoExclusive(false);  // the model clears the other buttons of the container
    return new CheckView<RadioButton>(c, w, l);
}

ControlView* radioGroup(RadioGroup& c, const Lookup& l)
{
    return new RadioGroupView(c, new QGroupBox, l);
}

ControlView* comboBox(ComboBox& c, const Lookup& l)
{
    return new ComboBoxView(c, new QComboBox, l);
}

}  // namespace ui::qt::views
