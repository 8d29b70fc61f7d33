// How long "Проверка связи" takes on a real line: the simulated bench at 19200 baud with
// wire-time emulation, the real server and the main window's own logic, with the channel
// settings a fresh installation stores. Three benches: all three modules answering, the pulse
// counter module silent, and no module answering. Each search must find exactly the modules
// that answer, or the run fails. The last line is the summary.
#include "perf/busy_bench/RecordingDialogs.h"

#include "link/rtu/RtuComMaster.h"
#include "link/rtu/TimerPrecision.h"
#include "ui/app/MainFrm.h"
#include "shell/settings/ChannelSettings.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"
#include "sim/Simulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <array>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int kBaud = 19200;
constexpr int kConnectTimeoutMs = 5000;
// Far beyond a search of ten silent addresses with the stored defaults (10 x 6 x 500 ms).
constexpr int kSearchTimeoutMs = 120000;

constexpr std::array<sim::Module, 3> kModules{sim::Module::Imr, sim::Module::Usi, sim::Module::Ipt};
constexpr std::array<int, 3> kAddresses{1, 2, 3};  // ИМР, УСИ, ИПТ

// Processes events until the condition holds or the time is up; the condition's last value.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition() && elapsed.elapsed() < timeoutMs) {
        QThread::msleep(1);
        QCoreApplication::processEvents();
    }
    return condition();
}

class DiscoveryRig {
public:
    DiscoveryRig() : m_sim(simOptions(m_simDir.path())) {}
    // The window goes before the simulator whose line it holds open.
    ~DiscoveryRig() { m_main.reset(); }

    bool start(QString* error)
    {
        if (!m_sim.start(error))
            return false;
        settings::setSettingsDirectory(m_settingsDir.path());
        settings::IniFile ini(settings::ztaIniPath());
        settings::ChannelSettings channel;  // the defaults, on the simulator's port
        channel.speedIndex = settings::speedIndexOfBaud(kBaud);
        channel.port = m_sim.benchPort();
        channel.write(ini, QStringLiteral("ZTA"));
        std::printf("channel: %d baud, time-out %d ms, %d retries\n", kBaud, channel.answerDelay, channel.retries);
        m_main = std::make_unique<app::TMainFrm>([](const char*) { return std::make_unique<comm::RtuComMaster>(); });
        m_main->form.config.BtnConnect.click();
        if (waitUntil([&] { return m_main->links.FServerConnected(); }, kConnectTimeoutMs))
            return true;
        *error = QStringLiteral("the bench line did not connect: ") + m_dialogs.messages.join(QStringLiteral("; "));
        return false;
    }

    // One search with the given modules answering; its duration in ms, or -1 with the reason.
    double search(const std::array<bool, 3>& answering, QString* error)
    {
        for (size_t i = 0; i < kModules.size(); ++i)
            m_sim.setFault(kModules[i], sim::FaultSpec{answering[i] ? sim::Fault::None : sim::Fault::Silent});
        auto& button = m_main->form.config.BitBtn5;
        if (!button.isEnabled()) {
            *error = QStringLiteral("\"Проверка связи\" is disabled");
            return -1;
        }
        QElapsedTimer elapsed;
        elapsed.start();
        button.click();
        if (!waitUntil([&] { return button.isEnabled(); }, kSearchTimeoutMs)) {
            *error = QStringLiteral("the search did not end");
            return -1;
        }
        const double ms = double(elapsed.nsecsElapsed()) / 1e6;
        const bench::TPZTA* found[] = {&m_main->ctx.modules.ImrModule, &m_main->ctx.modules.UsiModule,
                                       &m_main->ctx.modules.IptModule};
        for (size_t i = 0; i < kModules.size(); ++i) {
            const int expected = answering[i] ? kAddresses[i] : 0;
            if (found[i]->Adr != expected) {
                *error = QStringLiteral("module %1 found at %2, expected %3").arg(i + 1).arg(found[i]->Adr).arg(expected);
                return -1;
            }
        }
        return ms;
    }

private:
    static sim::Options simOptions(const QString& directory)
    {
        sim::Options o;
        o.directory = directory;
        o.imrAddress = kAddresses[0];
        o.usiAddress = kAddresses[1];
        o.iptAddress = kAddresses[2];
        o.wireTime = true;
        o.baud = kBaud;
        return o;
    }

    perf::RecordingDialogs m_dialogs;
    QTemporaryDir m_simDir;
    QTemporaryDir m_settingsDir;  // outlives the window, which stores its settings when destroyed
    sim::Simulator m_sim;
    std::unique_ptr<app::TMainFrm> m_main;
};

}  // namespace

int main(int argc, char** argv)
{
    comm::rtu::usePreciseTimers();  // as the monitor runs its lines
    QCoreApplication app(argc, argv);
    DiscoveryRig rig;
    QString error;
    if (!rig.start(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    struct Case {
        const char* name;
        std::array<bool, 3> answering;
        double ms = 0;
    };
    std::array<Case, 3> cases{{{"all_present", {true, true, true}},
                               {"one_missing", {true, false, true}},
                               {"none", {false, false, false}}}};
    for (Case& c : cases) {
        c.ms = rig.search(c.answering, &error);
        if (c.ms < 0) {
            std::fprintf(stderr, "%s: %s\n", c.name, qPrintable(error));
            return 1;
        }
        std::printf("%-12s %9.1f ms\n", c.name, c.ms);
        std::fflush(stdout);
    }
    std::printf("discovery all_present_ms=%.0f one_missing_ms=%.0f none_ms=%.0f\n", cases[0].ms, cases[1].ms, cases[2].ms);
    return 0;
}
