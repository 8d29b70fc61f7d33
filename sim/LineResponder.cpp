#include "sim/LineResponder.h"

#include "sim/Crc16.h"
#include "sim/ModbusFunctions.h"
#include "sim/WireTime.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {
constexpr int BroadcastAddress = 0;
constexpr int LastAddress = 247;

// Another device's address, never the broadcast one.
int nextAddress(int address) { return address % LastAddress + 1; }

// The answers whose length the request fixes: reads of coils and registers.
bool isRead(quint8 function) { return function == 0x01 || function == 0x03 || function == 0x04; }

// A read's answer without its last two data bytes (one register, up to sixteen coils), its byte
// count lowered to match; the CRC goes on after. This is a device whose answer buffer is shorter
// than the request: the frame passes every check of its own and only the count asked for shows
// it short. A frame cut off on the wire fails its CRC instead, which BadCrc plays; and one whose
// byte count promises more than it carries never ends for a master that frames by the count,
// which would only look like silence.
QByteArray shortened(QByteArray pdu)
{
    if (pdu.size() < 2 || !isRead(quint8(pdu[0])))
        return pdu;  // an exception or an echo: no data to lose
    pdu.chop(std::min<qsizetype>(2, pdu.size() - 2));
    pdu[1] = char(pdu.size() - 2);
    return pdu;
}
}  // namespace

void LineResponder::attach(Module m, Device* device) { m_stations.append(Station{m, device, {}}); }

bool LineResponder::hears(const Station& s, int lineBaud)
{
    const int own = s.device->lineBaud();
    return lineBaud == 0 || own == 0 || own == lineBaud;
}

std::optional<Reply> LineResponder::respond(const QByteArray& frame, const WireSettings& wire, int lineBaud)
{
    if (!hasValidCrc(frame))
        return std::nullopt;
    const int address = quint8(frame[0]);
    const QByteArray pdu = frame.mid(1, frame.size() - 3);
    if (address == BroadcastAddress) {
        broadcast(pdu, lineBaud);
        return std::nullopt;
    }
    for (Station& s : m_stations) {
        if (s.device->address() != address || !hears(s, lineBaud))
            continue;
        ++s.requests;
        if (s.fault.fault == Fault::Silent)
            return std::nullopt;
        const int from = s.fault.fault == Fault::WrongAddress ? nextAddress(address) : address;
        Reply reply{withCrc(QByteArray(1, char(from)).append(answerPdu(s, pdu)))};
        if (s.fault.fault == Fault::BadCrc)
            reply.frame.back() = char(reply.frame.back() ^ 0x5A);
        if (wire.emulate)
            reply.delayUs = qint64(std::ceil(1000.0 * wireTimeMs(int(frame.size()), int(reply.frame.size()), wire.baud)));
        if (s.fault.fault == Fault::Slow)
            reply.delayUs += qint64(s.fault.slowMs) * 1000;
        return reply;
    }
    return std::nullopt;
}

// A module that would refuse the request or is struck dumb does not execute it either.
void LineResponder::broadcast(const QByteArray& pdu, int lineBaud)
{
    for (Station& s : m_stations) {
        if (s.device->address() == BroadcastAddress || !hears(s, lineBaud))
            continue;
        ++s.requests;
        if (s.fault.fault != Fault::Silent && s.fault.fault != Fault::Exception)
            executeRequest(*s.device, pdu);
    }
}

QByteArray LineResponder::answerPdu(Station& s, const QByteArray& pdu)
{
    if (s.fault.fault == Fault::Exception)
        return exceptionResponse(quint8(pdu.isEmpty() ? 0 : pdu[0]), quint8(s.fault.exceptionCode));
    const QByteArray answer = executeRequest(*s.device, pdu);
    return s.fault.fault == Fault::Truncated ? shortened(answer) : answer;
}

void LineResponder::setFault(Module m, const FaultSpec& f)
{
    if (Station* s = station(m))
        s->fault = f;
}

int LineResponder::requestCount(Module m) const
{
    const Station* s = station(m);
    return s ? s->requests : 0;
}

LineResponder::Station* LineResponder::station(Module m)
{
    for (Station& s : m_stations)
        if (s.module == m)
            return &s;
    return nullptr;
}

const LineResponder::Station* LineResponder::station(Module m) const
{
    return const_cast<LineResponder*>(this)->station(m);
}

}  // namespace sim
