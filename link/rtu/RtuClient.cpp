#include "link/rtu/RtuClient.h"

namespace comm::rtu {

bool RtuClient::processResponse(const QModbusResponse& response, QModbusDataUnit* data)
{
    if (response.functionCode() == QModbusPdu::ReportServerId)
        return true;
    return QModbusRtuSerialClient::processResponse(response, data);
}

}  // namespace comm::rtu
