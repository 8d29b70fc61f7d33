// zta-sim: the simulated bench and meter, for running the monitor without the hardware.
#include "sim/SimCommandLine.h"
#include "sim/Simulator.h"
#include "sim/app/QuitOnSignal.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zta-sim"));

    sim::SimCommandLine commandLine;
    switch (commandLine.parse(QCoreApplication::arguments())) {
    case sim::SimCommandLine::Outcome::Help:
        std::fputs(qPrintable(commandLine.helpText()), stdout);
        return 0;
    case sim::SimCommandLine::Outcome::Error:
        std::fprintf(stderr, "zta-sim: %s\n(see zta-sim --help)\n", qPrintable(commandLine.error()));
        return 2;
    case sim::SimCommandLine::Outcome::Run:
        break;
    }

    QuitOnSignal quitOnSignal;
    sim::Simulator simulator(commandLine.setup().options);
    for (const auto& [module, fault] : commandLine.setup().faults)
        simulator.setFault(module, fault);
    QString error;
    if (!simulator.start(&error)) {
        std::fprintf(stderr, "zta-sim: cannot start: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("bench line: %s\nmeter line: %s\n", qPrintable(simulator.benchPort()), qPrintable(simulator.meterPort()));
    std::fflush(stdout);
    const int code = app.exec();
    simulator.stop();
    return code;
}
