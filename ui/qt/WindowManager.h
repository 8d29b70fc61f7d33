#pragma once
// One window per form, created when the form is first shown: the program makes many forms
// at start and shows few of them.
#include "ui/model/Form.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

namespace ui::qt {

class FormWindow;

class WindowManager : public QObject {
    Q_OBJECT
public:
    explicit WindowManager(QObject* parent = nullptr);
    ~WindowManager() override;

    // Watches the form; its window appears with its first show (at once if already shown).
    void manage(Form& form);
    void manage(const std::vector<std::unique_ptr<Form>>& forms);
    // The form's window, created now if it does not exist yet.
    FormWindow& windowOf(Form& form);
    FormWindow* existingWindow(const Form& form) const;

private:
    QHash<const Form*, QPointer<FormWindow>> m_windows;
};

}  // namespace ui::qt
