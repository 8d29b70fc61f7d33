#pragma once
// The outcome of one exchange, as OnExchange reports it.
#include <QVariant>

namespace comm::rtu {

struct Answer {
    int mbAddr = 0;
    int function = 0;
    QVariant value;  // counts only when result is 0
    int result = 0;
};

}  // namespace comm::rtu
