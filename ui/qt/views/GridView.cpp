// The string grid: header rows drawn like buttons, whole-row selection of the other rows.
#include "ui/qt/views/Views.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTableWidget>

namespace ui::qt::views {

namespace {

constexpr int kDefaultColumnWidth = 64;
constexpr int kRowHeight = 24;

class GridView : public ControlView {
public:
    GridView(Grid& g, QTableWidget* w, const Lookup& l) : ControlView(g, w, l), m_grid(g), m_widget(w)
    {
        w->horizontalHeader()->hide();
        w->verticalHeader()->hide();
        w->verticalHeader()->setDefaultSectionSize(kRowHeight);
        w->setSelectionBehavior(QAbstractItemView::SelectRows);
        w->setSelectionMode(QAbstractItemView::SingleSelection);
        w->setEditTriggers(QAbstractItemView::NoEditTriggers);
        w->setFocusPolicy(Qt::NoFocus);  // no focus frame around a single cell
        connect(w, &QTableWidget::cellClicked, this, [this](int row, int) {
            m_grid.selectRow(row);
            showRow();
        });
    }

protected:
    void sync(Prop what) override
    {
        if (what == Prop::Cells)
            showCells();
        else if (what == Prop::Row)
            showRow();
        ControlView::sync(what);
    }

private:
    void showCells()
    {
        const QSignalBlocker block(m_widget);
        m_widget->setColumnCount(m_grid.colCount());
        m_widget->setRowCount(m_grid.rowCount());
        for (int c = 0; c < m_grid.colCount(); ++c)
            m_widget->setColumnWidth(c, c < m_grid.colWidths.size() ? m_grid.colWidths.at(c) : kDefaultColumnWidth);
        for (int r = 0; r < m_grid.rowCount(); ++r)
            for (int c = 0; c < m_grid.colCount(); ++c)
                showCell(c, r);
        showRow();
    }
    void showCell(int c, int r)
    {
        QTableWidgetItem* item = m_widget->item(r, c);
        if (!item) {
            item = new QTableWidgetItem;
            if (r < m_grid.fixedRows) {
                item->setFlags(Qt::ItemIsEnabled);  // header rows cannot be selected
                item->setBackground(m_widget->palette().button());
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            m_widget->setItem(r, c, item);
        }
        item->setText(m_grid.cell(c, r));
    }
    void showRow()
    {
        const QSignalBlocker block(m_widget);
        if (m_grid.row() >= m_grid.fixedRows && m_grid.row() < m_widget->rowCount())
            m_widget->selectRow(m_grid.row());
        else
            m_widget->clearSelection();
    }

    Grid& m_grid;
    QTableWidget* m_widget;
};

}  // namespace

ControlView* grid(Grid& c, const Lookup& l)
{
    return new GridView(c, new QTableWidget, l);
}

}  // namespace ui::qt::views
