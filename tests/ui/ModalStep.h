#pragma once
// Scripting a modal window from a test: the step runs once the window is up, from inside its
// event loop, and ends it as the operator would.
#include <QApplication>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace test {

inline void whenModal(std::function<void(QWidget*)> step)
{
    QTimer::singleShot(0, [step = std::move(step)] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        step(QApplication::activeModalWidget());
    });
}

}  // namespace test
