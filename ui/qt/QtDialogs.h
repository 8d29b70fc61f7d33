#pragma once
// The operator's dialogs with Qt: message boxes centred on the screen under the program's
// title, the standard colour dialog, the font dialog with its colour, the save-file dialog,
// and modal forms shown through their windows.
#include "ui/model/Dialogs.h"

namespace ui::qt {
class WindowManager;
}

namespace ui {

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(qt::WindowManager& windows);

    void message(const QString& text, Icon icon = Icon::None, const QString& caption = {}) override;
    bool confirm(const QString& text, const QString& caption = {}) override;
    ModalResult showModal(Form& form) override;
    std::optional<Color> chooseColor(Color initial) override;
    std::optional<Font> chooseFont(const std::optional<Font>& initial) override;
    std::optional<QString> chooseSaveFile(const QString& caption, const QString& suggestedName,
                                          const QString& filter) override;
    QSize screenSize() const override;
    void beep() override;

private:
    qt::WindowManager& m_windows;
};

}  // namespace ui
