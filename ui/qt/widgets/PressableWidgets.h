#pragma once
// Passive widgets that report a left mouse press to their control: a label, and a beveled
// panel that may hold other widgets and shows its caption centred.
#include <QFrame>
#include <QLabel>

#include <functional>

namespace ui::qt {

class PressableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    std::function<void()> pressed;

protected:
    void mousePressEvent(QMouseEvent* e) override;
};

class CaptionPanel : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;
    std::function<void()> pressed;
    void setCaption(const QString& c);
    const QString& caption() const { return m_caption; }

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QString m_caption;
};

}  // namespace ui::qt
