#pragma once
// The window of the automatic verification's process parameters: shows the stored values in
// seconds and m3, and on OK checks and stores them in ZTA.ini. A value that does not fit
// stops OK with its message; the window stays open and nothing is stored.
#include "modes/verification/VerificationParameters.h"
#include "ui/forms/ParATForm.h"

namespace verification {

class TParATFrm {
public:
    // iniPath: the settings file the parameters are kept in.
    explicit TParATFrm(QString iniPath);

    ui::forms::ParATForm form;

    // Fills the edits from the file and shows the window.
    void show();
    void BitBtn1Click();
    void BitBtn2Click();

private:
    QString m_iniPath;
};

}  // namespace verification
