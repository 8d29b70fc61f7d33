#include "ServerRun.h"

#include "Clocks.h"

#include "link/rtu/RtuComMaster.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <memory>

namespace perf {

namespace {

constexpr int ReadQid = 1;
constexpr int Uint16Type = 18;

// Opens or closes the port and waits for the outcome.
void waitConnection(comm::RtuComMaster& m, bool on)
{
    QEventLoop loop;
    QObject::connect(&m, &comm::MBComMaster::OnChangeConnected, &loop, &QEventLoop::quit);
    m.setConnected(on);
    loop.exec();
}

std::unique_ptr<comm::RtuComMaster> openServer(const ReadSetup& setup)
{
    auto m = std::make_unique<comm::RtuComMaster>("bench");
    m->setComPort(setup.port);
    m->setComSpeed(setup.baud);
    m->setAnswerDelay(1000);
    m->setRetries(0);
    m->setDeviceAddres(setup.address);
    if (!m->attach())
        return nullptr;
    waitConnection(*m, true);
    if (!m->Connected())
        return nullptr;
    return m;
}

void read(comm::RtuComMaster& m, const ReadSetup& setup)
{
    m.ReadInputRegs(ReadQid, 0, setup.reg, Uint16Type, setup.count);
}

void closeServer(comm::RtuComMaster& m)
{
    waitConnection(m, false);
}

}  // namespace

bool runServerBackToBack(const ReadSetup& setup, double seconds, Throughput* out, const ServerHook& before)
{
    auto m = openServer(setup);
    if (!m)
        return false;
    if (before)
        before(*m);
    *out = {};
    constexpr int Outstanding = 2;
    int inFlight = 0;
    const double start = wallSeconds();
    double lastAnswer = start;
    QObject::connect(m.get(), &comm::MBComMaster::OnExchange, [&](int, int, int, const QVariant&, int result) {
        --inFlight;
        ++(result == 0 ? out->transactions : out->failures);
        lastAnswer = wallSeconds();
        if (lastAnswer - start < seconds) {
            read(*m, setup);
            ++inFlight;
        }
    });
    for (int i = 0; i < Outstanding; ++i, ++inFlight)
        read(*m, setup);
    QEventLoop loop;
    QObject::connect(m.get(), &comm::MBComMaster::OnExchange, &loop, [&] {
        if (inFlight == 0)
            loop.quit();
    });
    loop.exec();
    out->seconds = lastAnswer - start;
    closeServer(*m);
    return true;
}

bool runServerWaited(const ReadSetup& setup, double seconds, WaitCost* out)
{
    auto m = openServer(setup);
    if (!m)
        return false;
    *out = {};
    int slot = -1;
    QObject::connect(m.get(), &comm::MBComMaster::OnExchange, [&](int, int, int, const QVariant&, int result) { slot = result; });
    double waitedWall = 0, waitedCpu = 0;
    const double start = wallSeconds();
    while (wallSeconds() - start < seconds) {
        read(*m, setup);
        const double wall0 = wallSeconds(), cpu0 = threadCpuSeconds();
        slot = -1;
        while (slot < 0) {
            QThread::msleep(1);
            QCoreApplication::processEvents();
        }
        waitedWall += wallSeconds() - wall0;
        waitedCpu += threadCpuSeconds() - cpu0;
        ++(slot == 0 ? out->throughput.transactions : out->throughput.failures);
    }
    out->throughput.seconds = wallSeconds() - start;
    out->cpuPercent = waitedWall > 0 ? 100.0 * waitedCpu / waitedWall : 0;
    closeServer(*m);
    return true;
}

}  // namespace perf
