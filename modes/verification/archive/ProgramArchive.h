#pragma once
// The program's protocol archive. It is opened when the first run starts, which is also when
// the runs a killed program left running are marked interrupted and the operator is told of
// them, once; each run then gets its record there.
#include "modes/verification/RunJournal.h"
#include "modes/verification/archive/ArchiveDatabase.h"

#include <QString>

#include <memory>

namespace verification::archive {

class ProgramArchive {
public:
    // iniPath: the ZTA.ini whose [Archive] section says where the archive is.
    explicit ProgramArchive(QString iniPath) : m_iniPath(std::move(iniPath)) {}

    // A new run's record; none, after telling the operator why, when there is no archive to
    // write it to.
    std::unique_ptr<RunJournal> journal();

private:
    bool open();

    const QString m_iniPath;
    ArchiveSettings m_settings;
    ArchiveDatabase m_database;
};

}  // namespace verification::archive
