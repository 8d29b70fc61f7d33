#pragma once
// Where the protocols are kept: one folder the operator finds in the documents, each protocol
// as a PDF to print and a CSV for spreadsheets, named by the meter's serial number and the
// run's start.
#include "modes/verification/Protocol.h"

#include <QStringList>

namespace verification {

// "<documents>/Протоколы ЗТА".
QString defaultProtocolFolder();
// "<serial number>_<yyyy-MM-dd_hh-mm-ss>", with characters no file name takes replaced.
QString protocolFileBase(const Protocol& protocol);

struct SavedProtocol {
    QStringList files;  // the written files, PDF first
    QString error;      // empty when both were written
};

// Writes both files into `folder`, creating it when needed.
SavedProtocol saveProtocol(const Protocol& protocol, const QString& folder);

}  // namespace verification
