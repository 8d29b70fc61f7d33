#include "link/rtu/ReplyResult.h"

#include "link/Result.h"

#include <QVariant>  // qmodbusdevice.h only declares it
#include <QModbusReply>

namespace comm::rtu {

namespace {

// Not named in Result.h; the operator reads "Неизвестная ошибка".
constexpr int ResultUnknown = 14;

// Qt drops damaged or foreign frames silently and lets the reply run into its time-out;
// what it saw on the way tells a garbled answer from a silent device.
int timeoutResult(const QList<QModbusDevice::IntermediateError>& seen)
{
    if (seen.contains(QModbusDevice::ResponseCrcError))
        return ResultCrc;
    // Qt does not say whether the address or the function differed; on a shared line it
    // is the address of another device answering.
    if (seen.contains(QModbusDevice::ResponseRequestMismatch))
        return ResultWrongAddress;
    return ResultNoAnswer;
}

}  // namespace

int exceptionResult(int exceptionCode)
{
    switch (exceptionCode) {
    case 0x01: return ResultIllegalFunction;
    case 0x02: return ResultIllegalAddress;
    case 0x03: return ResultIllegalValue;
    case 0x04: return ResultDeviceFailure;
    case 0x05: return ResultAcknowledge;
    case 0x06: return ResultBusy;
    default: return ResultNotPossible;
    }
}

int replyResult(const QModbusReply& reply)
{
    switch (reply.error()) {
    case QModbusDevice::NoError:
        return ResultOk;
    case QModbusDevice::TimeoutError:
        return timeoutResult(reply.intermediateErrors());
    case QModbusDevice::ProtocolError:
        return reply.rawResult().isException() ? exceptionResult(reply.rawResult().exceptionCode()) : ResultNotPossible;
    case QModbusDevice::InvalidResponseError:
        // Qt refuses an answer whose size does not fit the function.
        return ResultShortData;
    case QModbusDevice::ReplyAbortedError:
    case QModbusDevice::ConnectionError:
    case QModbusDevice::WriteError:
    case QModbusDevice::ReadError:
        return ResultCannotSend;
    default:
        return ResultUnknown;
    }
}

}  // namespace comm::rtu
