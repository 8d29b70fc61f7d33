#pragma once
// The two small arrow buttons of an up-down control; each press steps by one.
#include <QWidget>

#include <functional>

class QToolButton;

namespace ui::qt {

class UpDownArrows : public QWidget {
    Q_OBJECT
public:
    explicit UpDownArrows(QWidget* parent = nullptr);
    std::function<void(int step)> stepped;
    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
};

}  // namespace ui::qt
