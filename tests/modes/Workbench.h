#pragma once
// The main window over the simulated bench and meter in the test's own process: both lines
// connected, the modules at their addresses and meter type 0 chosen, so a workflow runs in
// milliseconds. A request number can be made to fail with a given Result, to reach each
// failure of a workflow.
//
// By default the program and the equipment live on a VirtualClock: a settling time or a
// volume imitation of minutes passes as soon as nothing else is left to do, and every
// exchange takes the time it would take on the line. Time::Steady keeps real time, for the
// tests that watch the window between two events.
#include "../support/InProcessServer.h"
#include "../support/ScriptedDialogs.h"
#include "../support/VirtualClock.h"
#include "ui/app/MainFrm.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"
#include "sim/Equipment.h"

#include <QHash>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <functional>
#include <optional>

namespace test {

// The in-process server with request numbers that fail on demand.
class FailingServer : public InProcessServer {
public:
    using InProcessServer::InProcessServer;

    QHash<int, int> failures;  // request number -> Result its answers report
    // Asked first about each request: a Result fails it, nothing lets it through.
    std::function<std::optional<int>(const comm::Request&)> intercept;
    QList<comm::Request> requests;

    int count(int qid) const
    {
        return int(std::count_if(requests.begin(), requests.end(), [qid](const auto& r) { return r.qid == qid; }));
    }

protected:
    void submit(const comm::Request& r) override
    {
        requests.append(r);
        std::optional<int> failure = intercept ? intercept(r) : std::nullopt;
        if (!failure && failures.contains(r.qid))
            failure = failures.value(r.qid);
        if (!failure) {
            InProcessServer::submit(r);
            return;
        }
        post([this, r, result = *failure] { Q_EMIT OnExchange(r.qid, r.address, r.function(), QVariant(), result); });
    }
};

inline sim::Options quickBench()
{
    sim::Options o;
    o.executingMs = 20;
    return o;
}

// How long one exchange takes on the virtual clock: a short request and its answer at 19200 baud.
constexpr int kExchangeMs = 5;

struct Workbench {
    enum class Time { Virtual, Steady };

    explicit Workbench(sim::Options options = quickBench(), int meterType = 0, Time time = Time::Virtual)
        : equipment(options, equipmentTime(time))
    {
        settings::setSettingsDirectory(dir.path());
        comm::Clock& programClock = time == Time::Virtual ? static_cast<comm::Clock&>(clock) : comm::steadyClock();
        main = std::make_unique<app::TMainFrm>(
            [this, time, &programClock](const char* line) {
                const bool isBench = std::strcmp(line, "bench") == 0;
                auto server = std::make_unique<FailingServer>(
                    equipment, isBench ? sim::LineKind::Bench : sim::LineKind::Meter, programClock);
                if (time == Time::Virtual)
                    server->setLatency(kExchangeMs);
                (isBench ? bench : meter) = server.get();
                return server;
            },
            [] { return QStringList{QStringLiteral("COM1")}; }, programClock);
        clock.setBusy([this] { return bench->hasPostedAnswers() || meter->hasPostedAnswers(); });
        // The protocol archive beside the test's own settings; written once the window has read
        // them, as a settings file of its own would change what the window starts with.
        settings::IniFile(settings::ztaIniPath())
            .writeString(QStringLiteral("Archive"), QStringLiteral("File"), dir.filePath(QStringLiteral("archive.sqlite")));
        shell::Context& c = ctx();
        c.modules.ImrModule.Adr = quint8(options.imrAddress);
        c.modules.UsiModule.Adr = quint8(options.usiAddress);
        c.modules.IptModule.Adr = quint8(options.iptAddress);
        form().config.edtadrp.setText(QString::number(options.meterAddress));
        form().config.BtnConnect.click();
        form().config.BtnConnect1.click();
        connected = QTest::qWaitFor([&] { return c.bench.connected && c.meter.connected; }, 5000);
        if (meterType >= 0)
            form().config.cbxprib.select(meterType);
    }

    sim::Equipment::TimeSource equipmentTime(Time time)
    {
        if (time == Time::Steady)
            return &sim::Clock::now;
        return [this] { return clock.timePoint(); };
    }

    ui::forms::MainForm& form() { return main->form; }
    shell::Context& ctx() { return main->ctx; }

    VirtualClock clock;  // outlives everything that sets an alarm on it
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    sim::Equipment equipment;
    FailingServer* bench = nullptr;
    FailingServer* meter = nullptr;
    std::unique_ptr<app::TMainFrm> main;
    bool connected = false;
};

}  // namespace test
