#pragma once
// The archive's schema, as the ordered steps that build it: step N turns a version N-1 archive
// into version N. A step, once released, never changes; a new field comes in a new step.
#include <QList>
#include <QStringList>

namespace verification::archive {

struct Migration {
    int version;
    QStringList statements;
};

// In ascending order of version, from 1 without gaps.
const QList<Migration>& migrations();
// The newest version this program knows.
int knownSchemaVersion();

}  // namespace verification::archive
