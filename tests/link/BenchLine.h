#pragma once
// The bench line the tests talk to: the built-in simulator in a directory of its own, or the
// port named by ZTA_BENCH_PORT (a real bench or a simulator started by hand), where the
// cases that need the simulator's controls are skipped.
#include "link/rtu/RtuComMaster.h"
#include "sim/Simulator.h"

#include "ExchangeLog.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace test {

constexpr int ImrAddress = 1;

class BenchLine {
public:
    BenchLine()
    {
        const QByteArray external = qgetenv("ZTA_BENCH_PORT");
        if (!external.isEmpty()) {
            port = QString::fromLocal8Bit(external);
            return;
        }
        sim::Options o;
        o.directory = m_dir.path();
        simulator = std::make_unique<sim::Simulator>(o);
        QString error;
        if (!simulator->start(&error))
            qWarning("simulator did not start: %s", qPrintable(error));
        port = simulator->benchPort();
    }

private:
    QTemporaryDir m_dir;  // first: it must outlive the simulator's links in it

public:
    std::unique_ptr<sim::Simulator> simulator;  // none on an external port
    QString port;
};

// A server component with its log, set up for the bench line; connect() opens the port.
struct Server {
    explicit Server(const QString& port, int answerDelayMs = 100, int retries = 1, bool attached = true)
    {
        master.setComPort(port);
        master.setComSpeed(19200);
        master.setAnswerDelay(answerDelayMs);
        master.setRetries(retries);
        master.setDeviceAddres(ImrAddress);
        if (attached)
            master.attach();
    }
    bool connect()
    {
        master.setConnected(true);
        return log.waitConnection(true);
    }

    comm::RtuComMaster master{"bench"};
    ExchangeLog log{master};
};

}  // namespace test

#define REQUIRE_SIMULATOR(line)                                                      \
    do {                                                                             \
        if (!(line).simulator)                                                       \
            QSKIP("needs the built-in simulator's controls (ZTA_BENCH_PORT is set)"); \
    } while (false)
