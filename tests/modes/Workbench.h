#pragma once
// The main window over the simulated bench and meter in the test's own process: both lines
// connected, the modules at their addresses and meter type 0 chosen, so a workflow runs in
// milliseconds. A request number can be made to fail with a given Result, to reach each
// failure of a workflow.
#include "../support/InProcessServer.h"
#include "../support/ScriptedDialogs.h"
#include "ui/app/MainFrm.h"
#include "shell/settings/SettingsLocation.h"
#include "sim/Equipment.h"

#include <QHash>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

namespace test {

// The in-process server with request numbers that fail on demand.
class FailingServer : public InProcessServer {
public:
    using InProcessServer::InProcessServer;

    QHash<int, int> failures;  // request number -> Result its answers report
    QList<comm::Request> requests;

    int count(int qid) const
    {
        return int(std::count_if(requests.begin(), requests.end(), [qid](const auto& r) { return r.qid == qid; }));
    }

protected:
    void submit(const comm::Request& r) override
    {
        requests.append(r);
        const auto failure = failures.constFind(r.qid);
        if (failure == failures.cend()) {
            InProcessServer::submit(r);
            return;
        }
        QMetaObject::invokeMethod(
            this, [this, r, result = *failure] { Q_EMIT OnExchange(r.qid, r.address, r.function(), QVariant(), result); },
            Qt::QueuedConnection);
    }
};

inline sim::Options quickBench()
{
    sim::Options o;
    o.executingMs = 20;
    return o;
}

struct Workbench {
    explicit Workbench(sim::Options options = quickBench(), int meterType = 0) : equipment(options)
    {
        settings::setSettingsDirectory(dir.path());
        main = std::make_unique<app::TMainFrm>(
            [this](const char* line) {
                const bool isBench = std::strcmp(line, "bench") == 0;
                auto server = std::make_unique<FailingServer>(equipment, isBench ? sim::LineKind::Bench : sim::LineKind::Meter);
                (isBench ? bench : meter) = server.get();
                return server;
            },
            [] { return QStringList{QStringLiteral("COM1")}; });
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

    ui::forms::MainForm& form() { return main->form; }
    shell::Context& ctx() { return main->ctx; }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    sim::Equipment equipment;
    FailingServer* bench = nullptr;
    FailingServer* meter = nullptr;
    std::unique_ptr<app::TMainFrm> main;
    bool connected = false;
};

}  // namespace test
