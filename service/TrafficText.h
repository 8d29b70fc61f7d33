#pragma once
// The traffic monitor's lines: one per exchange, in fixed-width columns under a header line,
// the same on the screen (in a fixed-pitch font) and in a saved file.
#include "link/TrafficLog.h"

#include <QString>

namespace service {

// "Время  Линия  Адр Фн Рег Кол QID Рез мс  Передано / Принято", aligned with trafficLine().
QString trafficHeader();
// Time of day, line, address, function (hex), register, count, QID, Result, duration in ms,
// the frame sent and the frame received in hex ("-" for none), and for a failed exchange
// the Result's text.
QString trafficLine(const comm::TrafficEntry& entry);

}  // namespace service
