#pragma once
// One request handed to the communication server.
#include "link/DataType.h"

#include <QVariant>

#include <optional>

namespace comm {

// How long a request waits for its answer and how often it is sent again without one; what is
// not set is the line's own (AnswerDelay, Retries). A request whose answer is short on the wire
// need not wait as long as the line's slowest exchange.
struct Patience {
    std::optional<int> answerDelayMs;
    std::optional<int> retries;
};

struct Request {
    enum class Op { ReadHolding, ReadInput, ReadCoils, WriteRegisters, WriteCoil, DeviceName };

    Op op = Op::ReadHolding;
    int qid = 0;
    int period = 0;      // ms; 0 = one-shot
    int address = 0;     // Modbus device address; 0 = broadcast
    bool broadcast = false;  // meant for every module at once: the only request address 0 may carry
    int reg = 0;         // first register or coil
    int count = 1;       // values to read
    DataType type = DataType::UInt16;
    QVariant value;      // values to write: one typed value or a QVariantList of them
    Patience patience;

    // The Modbus function code the request uses.
    int function() const;
};

}  // namespace comm
