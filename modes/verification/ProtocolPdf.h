#pragma once
// The protocol as a printable document: the same text the protocol window shows, laid out as
// HTML, and written to a PDF file with Qt's own PDF writer. Needs a QGuiApplication (fonts).
#include "modes/verification/Protocol.h"

namespace verification {

QString protocolHtml(const Protocol& protocol);
// False when the file could not be written.
bool writeProtocolPdf(const Protocol& protocol, const QString& path);

}  // namespace verification
