#pragma once
// The operator's colours and fonts of the main window: the pop-up menu recolours the edit,
// panel or group box the mouse passed over last (or the window itself), the choices go to
// color.ini at once and are applied again when the window is created.
#include "shell/settings/ColorFile.h"
#include "ui/forms/MainForm.h"

#include <optional>

namespace shell {

class TColorSetup {
public:
    // Wires the pop-up items and the mouse tracking of the form and applies color.ini.
    explicit TColorSetup(ui::forms::MainForm& form);
    ~TColorSetup();
    TColorSetup(const TColorSetup&) = delete;
    TColorSetup& operator=(const TColorSetup&) = delete;

private:
    void mouseMoved(ui::Control* control);
    void changeColour();
    void changeFont();
    void discardAll();
    void applyStored();
    // The named control when the operator may recolour it, else null.
    ui::Control* recolourable(const QString& name) const;

    ui::forms::MainForm& m_form;
    // Nothing before the first report; a null control is the window itself.
    std::optional<ui::Control*> m_current;
    std::optional<ui::Font> m_currentFont;
};

}  // namespace shell
