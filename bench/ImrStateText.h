#pragma once
// The imitation module's automaton as text: state, error and the result of the last
// command, one per line, separated by carriage returns.
#include <QString>

namespace bench {

QString imrStateLine(int state);
QString imrErrorLine(int error);
QString imrLastCommandLine(int lastCommand);
QString ImrStateText(int state, int error, int lastCommand);

}  // namespace bench
