#pragma once
// Reads runs back from the archive and checks their seals.
#include "modes/verification/archive/ArchivedRun.h"

#include <QStringList>

#include <optional>

namespace verification::archive {

class ArchiveDatabase;

class ArchiveReader {
public:
    explicit ArchiveReader(const ArchiveDatabase& archive) : m_archive(archive) {}

    // None when there is no such run, or (error() then says why) it could not be read.
    std::optional<ArchivedRun> load(const QString& number);
    // The numbers of sealed records, in the order they were sealed, whose content no longer
    // gives their seal or whose link to the record sealed before is broken, and of ended runs
    // without a seal. Empty for an intact archive; none when it could not be read.
    std::optional<QStringList> verifyChain();

    const QString& error() const { return m_error; }

private:
    const ArchiveDatabase& m_archive;
    QString m_error;
};

}  // namespace verification::archive
