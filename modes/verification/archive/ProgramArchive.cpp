#include "modes/verification/archive/ProgramArchive.h"

#include "modes/verification/archive/RunRecorder.h"
#include "shell/settings/IniFile.h"
#include "ui/model/Dialogs.h"

namespace verification::archive {

std::unique_ptr<RunJournal> ProgramArchive::journal()
{
    if (!open())
        return nullptr;
    return std::make_unique<RunRecorder>(m_database, m_settings.bench, m_settings.prefix);
}

bool ProgramArchive::open()
{
    if (m_database.isOpen())
        return true;
    m_settings = ArchiveSettings::read(settings::IniFile(m_iniPath));
    const QString refusal = m_settings.unsupported();
    if (!refusal.isEmpty() || !m_database.open(m_settings)) {
        ui::dialogs().message(QStringLiteral("Поверка не начата: архив протоколов не открыт.\r")
                              + (refusal.isEmpty() ? m_database.error() : refusal));
        return false;
    }
    const Recovery recovery = recoverInterrupted(m_database, m_settings.bench);
    if (!recovery.error.isEmpty())
        ui::dialogs().message(recovery.error);
    else if (!recovery.numbers.isEmpty())
        ui::dialogs().message(QStringLiteral("Поверки, прерванные остановкой программы: № %1. Измеренное до остановки "
                                             "сохранено в архиве, их протоколы отмечены «прервана».")
                                  .arg(recovery.numbers.join(QStringLiteral(", № "))));
    return true;
}

}  // namespace verification::archive
