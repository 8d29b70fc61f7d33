#include "BusyRig.h"

#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"
#include "link/rtu/RtuComMaster.h"
#include "meter/MeterQids.h"
#include "shell/settings/ChannelSettings.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace perf {

namespace {

constexpr int kImrAddress = 1;
constexpr int kUsiAddress = 2;
constexpr int kIptAddress = 3;
constexpr int kMeterAddress = 1;
constexpr int kMeterType = 0;
constexpr int kStartItem = 1;  // 13 m3/h
constexpr int kElapsedPeriodMs = 2000;
constexpr int kConnectTimeoutMs = 5000;

sim::Options simOptions(const QString& directory, int baud)
{
    sim::Options o;
    o.directory = directory;
    o.imrAddress = kImrAddress;
    o.usiAddress = kUsiAddress;
    o.iptAddress = kIptAddress;
    o.meterAddress = kMeterAddress;
    o.meterType = kMeterType;
    o.wireTime = true;
    o.baud = baud;
    return o;
}

}  // namespace

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

QList<PeriodicRead> BusyRig::benchReads()
{
    return {{QStringLiteral("bench УСИ counters"), bench::qid::UsiCountersRead, ReadPeriodMs},
            {QStringLiteral("bench ИПТ currents"), bench::qid::IptCurrents, ReadPeriodMs},
            {QStringLiteral("bench ИМР elapsed time"), bench::qid::ImitTimeRead, kElapsedPeriodMs}};
}

QList<PeriodicRead> BusyRig::meterReads()
{
    // The meter polling's own period.
    return {{QStringLiteral("meter flow"), meter::qid::Flow, ReadPeriodMs},
            {QStringLiteral("meter volume"), meter::qid::Volume, ReadPeriodMs}};
}

BusyRig::BusyRig(int baud) : m_baud(baud), m_sim(simOptions(m_simDir.path(), baud)) {}

// The window goes before the simulator whose lines it holds open.
BusyRig::~BusyRig()
{
    m_main.reset();
}

bool BusyRig::start(QString* error)
{
    if (!m_sim.start(error))
        return false;
    settings::setSettingsDirectory(m_settingsDir.path());
    writeSettings();
    m_main = std::make_unique<app::TMainFrm>([](const char*) { return std::make_unique<comm::RtuComMaster>(); });
    if (!connectLines(error))
        return false;
    m_main->form.config.cbxprib.select(kMeterType);
    startBenchReads();
    return startImitation(error);
}

void BusyRig::writeSettings() const
{
    settings::IniFile ini(settings::ztaIniPath());
    settings::ChannelSettings channel;
    channel.speedIndex = settings::speedIndexOfBaud(m_baud);
    channel.port = m_sim.benchPort();
    channel.write(ini, QStringLiteral("ZTA"));
    channel.port = m_sim.meterPort();
    channel.write(ini, QStringLiteral("PRIBOR"));
    const QString addresses = QStringLiteral("ZTA Address");
    ini.writeInteger(addresses, QStringLiteral("IMR"), kImrAddress);
    ini.writeInteger(addresses, QStringLiteral("USI"), kUsiAddress);
    ini.writeInteger(addresses, QStringLiteral("IPT"), kIptAddress);
}

bool BusyRig::connectLines(QString* error)
{
    auto& cfg = m_main->form.config;
    cfg.edtadrp.setText(QString::number(kMeterAddress));
    cfg.BtnConnect.click();
    cfg.BtnConnect1.click();
    const shell::LinkConnections& links = m_main->links;
    if (waitUntil([&] { return links.FServerConnected() && links.FPRiborConnected(); }, kConnectTimeoutMs))
        return true;
    *error = QStringLiteral("the lines did not connect: ") + dialogs.messages.join(QStringLiteral("; "));
    return false;
}

void BusyRig::startBenchReads()
{
    // The counters and currents as the operator switches them on.
    m_main->form.usiGroup.ChbCnt1.click();
    m_main->form.iptGroup.ChbTok.click();
    // The elapsed time is read by the volume modes; a flow imitation reads it here.
    comm::MBComMaster& server = m_main->ctx.bench.server;
    server.setDeviceAddres(m_main->ctx.modules.ImrModule.Adr);
    server.ReadInputRegs(bench::qid::ImitTimeRead, kElapsedPeriodMs, bench::reg::ImrElapsedIn,
                         int(comm::DataType::UInt32), 1);
}

bool BusyRig::startImitation(QString* error)
{
    ui::forms::ImitQPage& page = m_main->form.imitQ;
    page.RGPoint.setItemIndex(kStartItem);
    page.btnImit.click();
    if (m_main->ctx.workMode.is(shell::Mode::FlowImitation) && dialogs.messages.isEmpty())
        return true;
    *error = QStringLiteral("the imitation did not start: ") + dialogs.messages.join(QStringLiteral("; "));
    return false;
}

}  // namespace perf
