#include "modes/verification/AutoVerificationWindow.h"

#include "modes/verification/ProtocolFiles.h"
#include "modes/verification/ProtocolText.h"
#include "shell/input/NumberFormat.h"
#include "shell/input/NumberInput.h"
#include "shell/settings/IniFile.h"
#include "ui/model/Dialogs.h"
#include "ui/model/UserError.h"

#include <QDir>

namespace verification {

namespace {
// The text of a field the protocol needs; an empty one stops the start with a message naming it.
QString required(const ui::Edit& edit, const ui::Label& label, const QString& why)
{
    const QString text = edit.text().trimmed();
    if (text.isEmpty())
        throw ui::UserError(QStringLiteral("Заполните поле \"%1\": %2").arg(label.caption(), why));
    return text;
}
}  // namespace

AutoVerificationWindow::AutoVerificationWindow(shell::Context& ctx, AutoVerification& run, QString iniPath,
                                               QString protocolFolder)
    : m_ctx(ctx),
      m_run(run),
      m_iniPath(std::move(iniPath)),
      m_protocolFolder(std::move(protocolFolder)),
      m_progressDisplays{{form.LblProgress, form.PB}}
{
    form.BtnStart.onClick = [this] { BtnStartClick(); };
    form.BtnStop.onClick = [this] { BtnStopClick(); };
    protocolForm.Button13.onClick = [this] { Button13Click(); };
    protocolForm.BtnClose.onClick = [this] { protocolForm.hide(); };
    form.onShow = [this] { showPermissibleError(); };
    // The meter type may change while the window stays open.
    form.onActivate = [this] {
        if (m_ctx.PriborType != m_shownType)
            showPermissibleError();
    };
    // The first progress comes as the run starts, before its first waited step.
    QObject::connect(&m_run, &AutoVerification::progress, &form, [this](int point, int points, int secondsLeft) {
        showRunState();
        showProgress(point, points, secondsLeft);
    });
    QObject::connect(&m_run, &AutoVerification::finished, &form, [this] { runFinished(); });
    showRunState();
}

void AutoVerificationWindow::showRunState()
{
    // The meter's identity and the permissible error are what the protocol of the running run
    // records: they stay as they are until it ends.
    const bool running = m_run.running();
    // The button to press next is enabled before the other is disabled, and before the edits:
    // a focused control that is disabled hands the focus on to the next enabled one, which
    // should be that button, not the serial number with its text selected.
    ui::Button& next = running ? form.BtnStop : form.BtnStart;
    ui::Button& done = running ? form.BtnStart : form.BtnStop;
    next.setEnabled(true);
    done.setEnabled(false);
    for (ui::Edit* edit : {&form.EdtSerial, &form.EdtOwner, &form.EdtOperator, &form.EdtPermissibleError})
        edit->setEnabled(!running);
}

void AutoVerificationWindow::BtnStartClick()
{
    const MeterIdentity meter{required(form.EdtSerial, form.LblSerial, QStringLiteral("по нему назван протокол")),
                              form.EdtOwner.text().trimmed(),
                              required(form.EdtOperator, form.LblOperator, QStringLiteral("он указывается в протоколе"))};
    settings::IniFile ini(m_iniPath);
    // Without a meter type the run refuses to start and says so.
    double permissibleError = VerificationParameters::DefaultPermissibleErrorPct;
    if (m_ctx.PriborType >= 0) {
        permissibleError = typedPermissibleError();
        if (permissibleError != permissibleErrorPct(ini, m_ctx.PriborType)
            && !writePermissibleErrorPct(ini, m_ctx.PriborType, permissibleError))
            return;
    }
    const VerificationParameters parameters = VerificationParameters::read(ini);
    setProgressRange(int(parameters.points.size()) + (parameters.volume > 0 ? 1 : 0));
    m_run.start(parameters, permissibleError, meter);
    showRunState();
}

void AutoVerificationWindow::showPermissibleError()
{
    m_shownType = m_ctx.PriborType;
    form.EdtPermissibleError.setText(
        m_shownType >= 0 ? input::format3(permissibleErrorPct(settings::IniFile(m_iniPath), m_shownType)) : QString());
}

double AutoVerificationWindow::typedPermissibleError() const
{
    const QString field = form.LblPermissibleError.caption();
    const QString text = form.EdtPermissibleError.text().trimmed();
    double pct = 0;
    try {
        pct = input::AnySepStrToFloat(text);
    } catch (const ui::UserError&) {
        // Named by the field and as typed.
        throw ui::UserError(QStringLiteral("\"%1\": %2").arg(field, input::notANumber(text)));
    }
    if (!(pct > 0))
        throw ui::UserError(QStringLiteral("\"%1\": значение %2 должно быть больше нуля").arg(field, text));
    if (pct > MaxPermissibleErrorPct)
        throw ui::UserError(QStringLiteral("\"%1\": значение %2 больше допустимого (%3)")
                                .arg(field, text, QString::number(MaxPermissibleErrorPct)));
    return pct;
}

void AutoVerificationWindow::BtnStopClick()
{
    m_run.stop();
}

void AutoVerificationWindow::showProgress(int point, int points, int secondsLeft)
{
    const QString where = point <= points ? QStringLiteral("Точка %1 из %2").arg(point).arg(points)
                                          : QStringLiteral("Проверка объема");
    setProgress(QStringLiteral("%1, осталось около %2:%3")
                    .arg(where)
                    .arg(secondsLeft / 60)
                    .arg(secondsLeft % 60, 2, 10, QLatin1Char('0')),
                point - 1);
}

void AutoVerificationWindow::alsoShowProgressOn(ui::Label& caption, ui::ProgressBar& bar)
{
    m_progressDisplays.push_back({caption, bar});
}

void AutoVerificationWindow::setProgressRange(int maximum)
{
    for (const ProgressDisplay& d : m_progressDisplays) {
        d.bar.setRange(0, maximum);
        d.bar.setPosition(0);
    }
}

void AutoVerificationWindow::setProgress(const QString& caption, int position, std::optional<ui::Color> conclusion)
{
    for (const ProgressDisplay& d : m_progressDisplays) {
        ui::Font font = d.caption.font();
        font.color = conclusion.value_or(ui::colors::Default);
        font.style.bold = conclusion.has_value();
        d.caption.setFont(font);
        d.caption.setCaption(caption);
        if (position >= 0)
            d.bar.setPosition(position);
    }
}

void AutoVerificationWindow::runFinished()
{
    showRunState();
    const Protocol& p = m_run.protocol();
    switch (p.conclusion()) {
    case Conclusion::Fit: setProgress(conclusionText(Conclusion::Fit), form.PB.maximum(), ui::colors::Green); break;
    case Conclusion::Unfit: setProgress(conclusionText(Conclusion::Unfit), form.PB.maximum(), ui::colors::Red); break;
    case Conclusion::None:
        setProgress(QStringLiteral("Поверка не завершена: ") + p.incompleteReason, -1, ui::colors::Default);
        break;
    }
    protocolForm.MemoProtocol.clear();
    for (const QString& line : protocolLines(p))
        protocolForm.MemoProtocol.add(line);
    protocolForm.show();
}

void AutoVerificationWindow::Button13Click()
{
    if (m_run.running()) {
        ui::dialogs().message(QStringLiteral("Идёт поверка: протокол можно сохранить, когда она закончится"));
        return;
    }
    if (!m_run.protocol().started.isValid()) {
        ui::dialogs().message(QStringLiteral("Протокола ещё нет: сначала проведите автоматическую поверку"));
        return;
    }
    const SavedProtocol saved = saveProtocol(m_run.protocol(), m_protocolFolder);
    if (!saved.error.isEmpty()) {
        ui::dialogs().message(saved.error, ui::Icon::Error);
        return;
    }
    QStringList names;
    for (const QString& f : saved.files)
        names.append(QDir::toNativeSeparators(f));
    ui::dialogs().message(QStringLiteral("Протокол сохранён:\r") + names.join(QLatin1Char('\r')));
}

}  // namespace verification
