#pragma once
// The seal that shows a record changed after its run ended: SHA-256 over the previous sealed
// record's seal and a canonical text of this record (the number, bench, state, header,
// parameters, every reading with its time in order, the results), doubles written with 17
// significant digits so the text is exact and the same on every bench.
//
// A record changed in the file (a reading edited with an SQLite tool) no longer matches its seal.
// A writer who recomputes this seal and every later one is not stopped: the chain lives in the
// same file it protects, so anyone who can rewrite the file can rewrite the chain. That is the
// usual bound of a hash chain without an outside witness; printing each record's seal on its
// protocol gives one, since a rewritten chain no longer matches the papers already issued.
#include "modes/verification/archive/ArchivedRun.h"

#include <QByteArray>

namespace verification::archive {

class Transaction;

QByteArray canonicalRecord(const ArchivedRun& run);
// Lowercase hex.
QString sealOf(const QString& previousSeal, const ArchivedRun& run);
// Seals run `run` as the chain's next link, in the caller's transaction.
void sealRun(Transaction& t, qint64 run);

}  // namespace verification::archive
