#pragma once
// A page control whose tabs wrap into as many rows as the width needs; the row holding
// the current tab sits next to the pages. A page may be current while its tab is hidden.
#include <QWidget>

namespace ui::qt {

class MultiRowTabs : public QWidget {
    Q_OBJECT
public:
    explicit MultiRowTabs(QWidget* parent = nullptr);

    int addPage(QWidget* page, const QString& caption);
    int count() const { return int(m_tabs.size()); }
    QWidget* page(int i) const { return m_tabs.at(i).page; }
    int indexOf(const QWidget* page) const;

    void setTabText(int i, const QString& caption);
    QString tabText(int i) const { return m_tabs.at(i).caption; }
    void setTabVisible(int i, bool visible);
    bool isTabVisible(int i) const { return m_tabs.at(i).visible; }
    void setCurrentIndex(int i);  // -1: no page
    int currentIndex() const { return m_current; }

    QRect tabRect(int i) const;  // empty while the tab is hidden
    int rowCount() const { return m_rowCount; }
    QRect pageRect() const;      // where pages sit, in this widget's coordinates

    // The operator presses tab i: by a click, or through assistive technology.
    void pressTab(int i) { Q_EMIT tabClicked(i); }

Q_SIGNALS:
    void tabClicked(int index);  // by the operator

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    struct Tab {
        QWidget* page;
        QString caption;
        bool visible = true;
        QRect rect;
    };
    void relayout();
    QSize tabSize(const QString& caption) const;
    int tabHeight() const;

    QList<Tab> m_tabs;
    int m_current = -1;
    int m_rowCount = 0;
};

}  // namespace ui::qt
