#pragma once
// Completion codes of an exchange with the communication server and the texts the operator
// sees for them.
#include <QString>

namespace comm {

enum Result : int {
    ResultOk = 0,
    ResultNoAnswer = 1,
    ResultCrc = 2,
    ResultCannotSend = 3,
    ResultIllegalFunction = 4,
    ResultIllegalValue = 5,
    ResultDeviceFailure = 6,
    ResultAcknowledge = 7,
    ResultBusy = 8,
    ResultNotPossible = 9,
    ResultParity = 10,
    ResultIllegalAddress = 11,
    ResultWrongAddress = 12,
    ResultWrongFunction = 13,
    ResultWrongType = 15,
    ResultShortData = 16,
    // Refused before the wire: a request to address 0 that is not a broadcast (its module
    // was not found, so every module on the line would have obeyed it).
    ResultNotAddressed = 17,
};

QString resultText(int result);

}  // namespace comm
