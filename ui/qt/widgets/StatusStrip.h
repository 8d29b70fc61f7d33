#pragma once
// A status bar of fixed-width panels; a panel of width 0 takes the rest of the strip.
// Any mouse press on the strip is reported with the button and whether Shift was held.
#include "ui/model/Controls.h"

#include <QFrame>

#include <functional>

class QLabel;

namespace ui::qt {

class StatusStrip : public QFrame {
    Q_OBJECT
public:
    explicit StatusStrip(QWidget* parent = nullptr);
    void setPanels(const QList<StatusPanel>& panels);
    int panelCount() const { return int(m_labels.size()); }
    QLabel* panel(int i) const { return m_labels.at(i); }
    std::function<void(Qt::MouseButton, bool shift)> pressed;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void placePanels();

    QList<StatusPanel> m_panels;
    QList<QLabel*> m_labels;
};

}  // namespace ui::qt
