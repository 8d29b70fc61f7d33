#pragma once
// The zta-sim command line: the simulator's options and the faults to inject at start.
#include "sim/Simulator.h"

#include <QList>

class QCommandLineOption;
class QCommandLineParser;
#include <QStringList>

#include <optional>
#include <utility>

namespace sim {

using FaultAssignment = std::pair<Module, FaultSpec>;

// "imr=silent", "usi=exception:6", "meter=slow:1500", "ipt=crc", "usi=wrongaddr", "ipt=truncated", "imr=none".
std::optional<FaultAssignment> parseFault(const QString& text, QString* error);

struct SimSetup {
    Options options;
    QList<FaultAssignment> faults;
};

class SimCommandLine {
public:
    enum class Outcome { Run, Help, Error };

    // `arguments` includes the program name first, as QCoreApplication::arguments() gives it.
    Outcome parse(const QStringList& arguments);

    const SimSetup& setup() const { return m_setup; }
    QString error() const { return m_error; }
    QString helpText() const { return m_help; }

private:
    // Takes the option's value into target when it is set; false with the error when it is no
    // number from min to max.
    template <typename T>
    bool number(const QCommandLineParser& parser, const QCommandLineOption& option, T* target, T min, T max);

    SimSetup m_setup;
    QString m_error;
    QString m_help;
};

}  // namespace sim
