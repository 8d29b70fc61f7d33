#pragma once
// The protocol as a CSV file for spreadsheet programs: ';'-separated, UTF-8 with a byte order
// mark, numbers with '.' and as many digits as they need to read back the same. The header's
// fields are rows "name;value"; then the table of the points, the checks and the conclusion.
#include "modes/verification/Protocol.h"

#include <QByteArray>

namespace verification {

QByteArray protocolCsv(const Protocol& protocol);
// The protocol written by protocolCsv(); none (with the reason in `error`) for other text.
std::optional<Protocol> parseProtocolCsv(const QByteArray& csv, QString* error = nullptr);

}  // namespace verification
