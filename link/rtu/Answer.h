#pragma once
// The outcome of one exchange, as OnExchange reports it.
#include "link/ExchangeRecord.h"
#include "link/Request.h"

#include <QDateTime>
#include <QVariant>

namespace comm::rtu {

struct Answer {
    int mbAddr = 0;
    int function = 0;
    QVariant value;  // counts only when result is 0
    int result = 0;
};

// Stamps a record of the exchange with the time it ended and what was asked and answered;
// the frames and duration are the caller's.
inline void stampRecord(ExchangeRecord& rec, const Request& request, const Answer& answer)
{
    rec.finishedAtMs = QDateTime::currentMSecsSinceEpoch();
    rec.qid = request.qid;
    rec.address = answer.mbAddr;
    rec.function = answer.function;
    rec.reg = request.reg;
    rec.count = request.count;
    rec.result = answer.result;
}

}  // namespace comm::rtu
