#pragma once
// The meter type catalogue and the stored addresses of the bench modules, kept in ZTA.ini.
// Its dialog edits the catalogue; nothing in the main window opens it, but it is the holder
// the program reads at start and writes after a module search.
#include "bench/ModuleDescriptor.h"
#include "meter/Pribor.h"
#include "ui/forms/MProForm.h"

#include <QVector>

#include <optional>

namespace meter {

class TMProFrm {
public:
    explicit TMProFrm(const bench::Modules& modules);

    ui::forms::MProForm form;

    QVector<TPribor> Prib;
    // Each entry's own permissible error, %; none: the default.
    QVector<std::optional<double>> MaxErr;
    int CPrib = 0;
    TPribor Pribor;  // the entry chosen when the dialog was confirmed
    int Imr = 0;
    int IPT = 0;
    int Usi = 0;

    void readINI();
    // Stores the present module addresses and the catalogue, then hides the dialog.
    void writeIni();

    void chbTypeChange();
    void Button1Click();
    void Button2Click();
    // Deletes the chosen entry; the catalogue is stored with "Да" as after an add.
    void Button3Click();
    void BitBtn4Click();
    void BitBtn5Click();

private:
    bool adding() const { return form.Button2.isEnabled(); }
    void startAdding();
    void finishAdding();
    // The value in Edit5; stops the handler with a message unless it is a positive number.
    double typedPermissibleError() const;
    double permissibleErrorOf(int i) const;

    const bench::Modules& m_modules;
    int m_shownEntry = -1;  // the entry whose values the fields show
};

}  // namespace meter
