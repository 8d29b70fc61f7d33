#pragma once
// An error the operator caused (a text that is not a number, say). A handler throws it to
// stop at once; the form that ran the handler shows its message and nothing else happens.
#include <QString>
#include <exception>

namespace ui {

class UserError : public std::exception {
public:
    explicit UserError(QString message) : m_message(std::move(message)) {}
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return "ui::UserError"; }

private:
    QString m_message;
};

}  // namespace ui
