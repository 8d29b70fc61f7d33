#pragma once
// The platform's number format as the program shows and reads numbers: its decimal
// separator, the "0.###"-style fixed formats and the general format.
#include <QChar>
#include <QString>

namespace input {

// The decimal separator of the platform's number format ('.' or ','). Taken from the
// system locale at first use; tests may set it.
QChar decimalSeparator();
void setDecimalSeparator(QChar sep);

// Formats with at most `maxDecimals` decimals, trailing zeros dropped ("0.###" is 3).
QString formatFloat(double v, int maxDecimals);
inline QString format3(double v) { return formatFloat(v, 3); }   // "0.###"
inline QString format4(double v) { return formatFloat(v, 4); }   // "0.####"
inline QString formatPercent4(double v) { return format4(v) + u'%'; }  // "0.####%"
// Fixed number of decimals ("0.000").
QString formatFixed(double v, int decimals);
// The general format: the shortest text that reads back as the same number (up to 15
// significant digits), with the platform's separator.
QString formatGeneral(double v);

}  // namespace input
