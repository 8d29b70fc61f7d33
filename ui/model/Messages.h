#pragma once
// Window messages between forms. A sent message runs the receiver before the sender goes
// on; a posted one runs later, from the event loop of the receiver's thread.
#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <functional>

namespace ui {

inline void sendMessage(const std::function<void()>& receive) { receive(); }

inline void postMessage(QObject* receiver, std::function<void()> receive)
{
    QMetaObject::invokeMethod(
        receiver, [guard = QPointer<QObject>(receiver), f = std::move(receive)] { if (guard) f(); },
        Qt::QueuedConnection);
}

}  // namespace ui
