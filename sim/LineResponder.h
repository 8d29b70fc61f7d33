#pragma once
// The devices of one line as the master sees them: checks a request frame's CRC and address,
// lets the addressed device execute it (every device on a broadcast, without an answer), and
// shapes the answer by the device's injected fault and the line's wire time. A device set to
// another speed than the line's hears only noise: it neither executes nor answers.
#include "sim/Device.h"
#include "sim/Options.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace sim {

struct Reply {
    QByteArray frame;
    qint64 delayUs = 0;  // how long after the request the answer is due
};

struct WireSettings {
    bool emulate = false;
    int baud = 19200;
};

class LineResponder {
public:
    void attach(Module m, Device* device);
    bool serves(Module m) const { return station(m) != nullptr; }

    // `lineBaud`: the speed the request was sent at; 0 when unknown (every device hears it).
    std::optional<Reply> respond(const QByteArray& frame, const WireSettings& wire, int lineBaud = 0);

    void setFault(Module m, const FaultSpec& f);
    int requestCount(Module m) const;

private:
    struct Station {
        Module module;
        Device* device;
        FaultSpec fault;
        int requests = 0;
    };

    void broadcast(const QByteArray& pdu, int lineBaud);
    static bool hears(const Station& s, int lineBaud);
    static QByteArray answerPdu(Station& s, const QByteArray& pdu);
    Station* station(Module m);
    const Station* station(Module m) const;

    QList<Station> m_stations;
};

}  // namespace sim
