#pragma once
// A running simulator in a directory of its own, with a master on each of its lines.
#include "RtuMaster.h"

#include "sim/Simulator.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace test {

constexpr int ExecutingMs = 60;

struct SimFixture {
    explicit SimFixture(sim::Options options = {})
    {
        options.directory = dir.path();
        options.executingMs = ExecutingMs;
        simulator = std::make_unique<sim::Simulator>(options);
        QString error;
        started = simulator->start(&error) && bench.open(simulator->benchPort()) && meter.open(simulator->meterPort());
        if (!started)
            qWarning("simulator did not start: %s", qPrintable(error));
    }

    QTemporaryDir dir;
    std::unique_ptr<sim::Simulator> simulator;
    RtuMaster bench;
    RtuMaster meter;
    bool started = false;
};

}  // namespace test
