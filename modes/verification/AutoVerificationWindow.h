#pragma once
// The windows of the automatic verification: "Автоматическая поверка" takes the meter's
// identity, starts and stops the run and shows its progress; when the run ends, the window
// shows its conclusion ("Годен" in green, "Не годен" in red, or why it is not complete),
// "Протокол" shows the protocol, and "Создать протокол..." saves it as PDF and CSV in the
// protocols' folder. The parameters come from ZTA.ini at each start; the permissible error of
// the chosen meter type is shown in the window, and a value the operator changed is stored for
// that type.
#include "modes/verification/AutoVerification.h"
#include "ui/forms/AutoVerificationForm.h"
#include "ui/forms/ProtocolForm.h"
#include <optional>
#include <vector>

namespace verification {

class AutoVerificationWindow {
public:
    // iniPath: the settings file; protocolFolder: where "Создать протокол..." saves.
    AutoVerificationWindow(shell::Context& ctx, AutoVerification& run, QString iniPath, QString protocolFolder);

    ui::forms::AutoVerificationForm form;
    ui::forms::ProtocolForm protocolForm;

    void BtnStartClick();
    void BtnStopClick();
    // Saves the latest protocol; before the first run and during a run it tells why it cannot.
    void Button13Click();

    // Above this the typed permissible error is taken for a mistake.
    static constexpr double MaxPermissibleErrorPct = 10;

    // The page "Протокол" shows the run's progress too.
    void alsoShowProgressOn(ui::Label& caption, ui::ProgressBar& bar);

private:
    struct ProgressDisplay {
        ui::Label& caption;
        ui::ProgressBar& bar;
    };
    // What the operator may touch, from whether the run goes.
    void showRunState();
    void setProgressRange(int maximum);
    // A negative position keeps each bar where it is. With `conclusion`, the caption is the
    // run's end, bold in that colour.
    void setProgress(const QString& caption, int position, std::optional<ui::Color> conclusion = std::nullopt);

    // The stored permissible error of the chosen meter type; empty while no type is chosen.
    void showPermissibleError();
    // The value in EdtPermissibleError; stops the handler with a message unless it fits.
    double typedPermissibleError() const;
    void showProgress(int point, int points, int secondsLeft);
    void runFinished();

    shell::Context& m_ctx;
    AutoVerification& m_run;
    QString m_iniPath;
    QString m_protocolFolder;
    int m_shownType = -1;  // the meter type whose permissible error the window shows
    std::vector<ProgressDisplay> m_progressDisplays;
};

}  // namespace verification
