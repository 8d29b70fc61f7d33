#include "modes/verification/AutoVerificationWindow.h"

#include "modes/verification/ProtocolFiles.h"
#include "modes/verification/ProtocolText.h"
#include "shell/settings/IniFile.h"
#include "ui/model/Dialogs.h"

#include <QDir>

namespace verification {

AutoVerificationWindow::AutoVerificationWindow(shell::Context& ctx, AutoVerification& run, QString iniPath,
                                               QString protocolFolder)
    : m_ctx(ctx), m_run(run), m_iniPath(std::move(iniPath)), m_protocolFolder(std::move(protocolFolder))
{
    form.BtnStart.onClick = [this] { BtnStartClick(); };
    form.BtnStop.onClick = [this] { BtnStopClick(); };
    protocolForm.Button13.onClick = [this] { Button13Click(); };
    protocolForm.BtnClose.onClick = [this] { protocolForm.hide(); };
    QObject::connect(&m_run, &AutoVerification::progress, &form,
                     [this](int point, int points, int secondsLeft) { showProgress(point, points, secondsLeft); });
    QObject::connect(&m_run, &AutoVerification::finished, &form, [this] { runFinished(); });
}

void AutoVerificationWindow::BtnStartClick()
{
    const MeterIdentity meter{form.EdtSerial.text().trimmed(), form.EdtOwner.text().trimmed(),
                              form.EdtOperator.text().trimmed()};
    if (meter.serialNumber.isEmpty()) {
        ui::dialogs().message(QStringLiteral("Введите заводской номер прибора: по нему назван протокол"));
        return;
    }
    const settings::IniFile ini(m_iniPath);
    const VerificationParameters parameters = VerificationParameters::read(ini);
    form.BtnStart.setEnabled(false);
    form.BtnStop.setEnabled(true);
    form.PB.setRange(0, int(parameters.points.size()) + (parameters.volume > 0 ? 1 : 0));
    form.PB.setPosition(0);
    if (!m_run.start(parameters, permissibleErrorPct(ini, m_ctx.PriborType), meter)) {
        form.BtnStart.setEnabled(true);
        form.BtnStop.setEnabled(false);
    }
}

void AutoVerificationWindow::BtnStopClick()
{
    m_run.stop();
}

void AutoVerificationWindow::showProgress(int point, int points, int secondsLeft)
{
    const QString where = point <= points ? QStringLiteral("Точка %1 из %2").arg(point).arg(points)
                                          : QStringLiteral("Проверка объема");
    form.LblProgress.setCaption(QStringLiteral("%1, осталось около %2:%3")
                                    .arg(where)
                                    .arg(secondsLeft / 60)
                                    .arg(secondsLeft % 60, 2, 10, QLatin1Char('0')));
    form.PB.setPosition(point - 1);
}

void AutoVerificationWindow::runFinished()
{
    form.BtnStart.setEnabled(true);
    form.BtnStop.setEnabled(false);
    const Protocol& p = m_run.protocol();
    form.PB.setPosition(p.complete ? form.PB.maximum() : form.PB.position());
    form.LblProgress.setCaption(p.complete ? QStringLiteral("Поверка завершена")
                                           : QStringLiteral("Поверка не завершена: ") + p.incompleteReason);
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
