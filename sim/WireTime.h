#pragma once
// How long an exchange would keep a real RS-485 line busy: request and response at 11 bits
// per character (start, 8 data, parity or second stop, stop) plus the 3.5-character silence
// that ends the request. The master's own gap before its next request is not ours to add.
namespace sim {

constexpr int BitsPerCharacter = 11;

inline double characterMs(int baud) { return BitsPerCharacter * 1000.0 / baud; }

inline double wireTimeMs(int requestBytes, int responseBytes, int baud)
{
    return (requestBytes + 3.5 + responseBytes) * characterMs(baud);
}

}  // namespace sim
