#pragma once
// The window of the verification points: shows the stored points, and on OK checks what the
// operator typed and stores it in ZTA.ini. The points keep the order they were typed in, which
// is the order the run takes them. An entry that is not a usable flow stops OK with a message
// naming it; the window stays open and nothing is stored.
#include "modes/verification/VerificationParameters.h"
#include "ui/forms/PointsForm.h"

namespace verification {

class PointsFrm {
public:
    // Above any flow a bench imitates: a larger number is a typing error.
    static constexpr int MaxPoint = 10000;  // m3/h

    // iniPath: the settings file the points are kept in.
    explicit PointsFrm(QString iniPath);

    ui::forms::PointsForm form;

    // Fills the edits from the file and shows the window.
    void show();
    void BitBtn1Click();
    void BitBtn2Click();

private:
    QList<int> typedPoints() const;

    QString m_iniPath;
};

}  // namespace verification
