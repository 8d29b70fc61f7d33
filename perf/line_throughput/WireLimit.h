#pragma once
// The most transactions per second a real RS-485 wire can carry for one request/response
// pair: 11-bit characters, and a 3.5-character silence after each frame.
namespace perf {

constexpr int BitsPerCharacter = 11;

inline double wireLimitTps(int baud, int requestBytes, int responseBytes)
{
    const double characters = requestBytes + responseBytes + 2 * 3.5;
    return baud / (characters * BitsPerCharacter);
}

}  // namespace perf
