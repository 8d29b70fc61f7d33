#pragma once
// Tells the operator that a settings file could not be written: once, naming the file and the
// reason the system gave, and not again for that file until one of its writes succeeds.
// What the operator entered stays in the windows; only keeping it for the next start fails.
#include <QString>

namespace settings {

void reportWrite(const QString& path, bool written, const QString& reason = {});

}  // namespace settings
