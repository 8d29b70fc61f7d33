#pragma once
// The target task: which optional pages of the main window are shown and where the two
// shared groups sit.
#include "ui/forms/MainForm.h"
#include "ui/forms/SysForm.h"

#include <functional>

namespace shell {

enum TNames { nsConfig, nsImitV, nsImitQ, nsPoverV, nsPoverQ, nsIMR, nsIPT, nsIPT2, nsUSI, nsProtocol };

enum Layout { LayoutMeters = 0, LayoutBench = 1, LayoutService = 2 };

// Shows or hides the tab of an optional page; the configuration page always stays.
void SetShow(ui::forms::MainForm& form, TNames index, bool flag);
// Applies the pages and group places of a layout.
void applyLayout(ui::forms::MainForm& form, int layout);

// The dialog "Настройка системы ЗТА".
class TSysFrm {
public:
    explicit TSysFrm(ui::forms::MainForm& main);

    ui::forms::SysForm form;
    bool flagSh = false;
    int AimIndex = 0;
    QString AimIndexStr;

    void btnUseClick();
    void btnCanselClick();

    // Switches to a layout the dialog does not offer (the service pages).
    void applyServiceLayout();

private:
    void apply(int index, const QString& text);

    ui::forms::MainForm& m_main;
};

}  // namespace shell
