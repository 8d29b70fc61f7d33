#pragma once
// The protocol as lines of plain text, for the protocol window.
#include "modes/verification/Protocol.h"

#include <QStringList>

namespace verification {

QStringList protocolLines(const Protocol& protocol);

}  // namespace verification
