#pragma once
// Everything the operator must answer or look at outside the forms. The Qt layer implements
// it with real dialogs; tests install a scripted implementation.
#include "ui/model/Form.h"
#include "ui/model/Style.h"

#include <QSize>
#include <QString>

#include <optional>

namespace ui {

enum class Icon { None, Information, Warning, Error };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A message box centred on the screen with an OK button.
    virtual void message(const QString& text, Icon icon = Icon::None, const QString& caption = {}) = 0;
    // A Yes/No question; true on Yes.
    virtual bool confirm(const QString& text, const QString& caption = {}) = 0;
    // Shows the form and returns when it has been hidden; the form's modalResult tells how.
    virtual ModalResult showModal(Form& form) = 0;
    virtual std::optional<Color> chooseColor(Color initial) = 0;
    virtual std::optional<Font> chooseFont(const std::optional<Font>& initial) = 0;
    // Where to save a file: the path the operator chose, none when cancelled. suggestedName
    // may hold a folder; filter as "Текстовые файлы (*.txt)". Without a file dialog the
    // operator can only cancel.
    virtual std::optional<QString> chooseSaveFile(const QString& caption, const QString& suggestedName,
                                                  const QString& filter)
    {
        Q_UNUSED(caption);
        Q_UNUSED(suggestedName);
        Q_UNUSED(filter);
        return std::nullopt;
    }
    virtual QSize screenSize() const = 0;
    // A short sound for a refused input.
    virtual void beep() = 0;

    // The implementation in use; set once at start (or by a test fixture).
    static Dialogs& instance();
    static void install(Dialogs* d);
};

inline Dialogs& dialogs() { return Dialogs::instance(); }

}  // namespace ui
