#pragma once
// Cuts the byte stream of a line into request frames.
//
// On a pseudo-terminal bytes come in bursts and the 3.5-character silence of a real wire
// means nothing, so a request of a known function ends as soon as its length (read from its
// header) has arrived. Whatever cannot be cut that way - an unknown function, a damaged
// header, a partial frame - waits for a silence on the line (see Line), which closes it.
#include <QByteArray>
#include <QList>

namespace sim {

class RtuFramer {
public:
    // Adds received bytes; returns the frames they complete, CRC not checked.
    QList<QByteArray> feed(const QByteArray& bytes);
    // The line fell silent: whatever is buffered is one frame (possibly empty).
    QByteArray flush();
    bool hasPending() const { return !m_buffer.isEmpty(); }

private:
    QByteArray m_buffer;
};

// The length a request frame (address to CRC) will have, or 0 when its header does not tell
// yet, or -1 when the function is unknown.
int expectedRequestLength(const QByteArray& start);

}  // namespace sim
