#include "shell/lines/LinkConnections.h"

#include "link/PortList.h"
#include "shell/input/NumberInput.h"
#include "shell/settings/ChannelSettings.h"
#include "ui/model/Dialogs.h"

namespace shell {

namespace {

// The message line's text for a line: its own words while it is up or closed on request,
// and why it went down when its port failed.
QString lineStateText(const comm::MBComMaster& server, bool connected, const QString& on, const QString& off)
{
    if (connected)
        return on;
    const QString problem = server.LinkProblem();
    return problem.isEmpty() ? off : problem;
}

}  // namespace

LinkConnections::LinkConnections(ui::forms::MainForm& form, TCanalFrm& canal, comm::Line& bench, comm::Line& meter,
                                 quint8& meterAddress, Hooks hooks)
    : m_form(form), m_canal(canal), m_benchLine(bench), m_meterLine(meter), m_bench(bench.server),
      m_meter(meter.server), m_meterAddress(meterAddress), m_hooks(std::move(hooks))
{
    Q_ASSERT(m_hooks.hideMeterWindows && m_hooks.restartMeterPolling && m_hooks.benchConnectedChanged);
    auto& cfg = m_form.config;
    cfg.BtnConnect.onClick = [this] { ConnectZTAExecute(); };
    m_form.CTRLK1.onClick = [this] { ConnectZTAExecute(); };
    m_form.ConnectZTA.onExecute = [this] { ConnectZTAExecute(); };
    cfg.BtnConnect1.onClick = [this] { ConnectPribExecute(); };
    m_form.CTRLP1.onClick = [this] { ConnectPribExecute(); };
    m_form.ConnectPrib.onExecute = [this] { ConnectPribExecute(); };
    cfg.btnCanal.onClick = [this] { btnCanalClick(); };
    cfg.BBParam.onClick = [this] { BBParamClick(); };

    // Connection events are handled from the form so that a conversion error in a handler
    // they reach is reported like any other.
    QObject::connect(&m_bench, &comm::MBComMaster::OnChangeConnected, &m_form,
                     [this](bool on) { m_form.invoke([=, this] { MBCMChangeConnected(on); }); });
    QObject::connect(&m_meter, &comm::MBComMaster::OnChangeConnected, &m_form,
                     [this](bool on) { m_form.invoke([=, this] { MBCM1ChangeConnected(on); }); });
}

bool LinkConnections::ensureAttached(comm::MBComMaster& server)
{
    if (server.isAttached() || server.attach())
        return true;
    ui::dialogs().message(QStringLiteral("Не удалось подключиться к Серверу связи. Возможно, он отсутствует на "
                                         "компьютере и требуется его установка."),
                          ui::Icon::Error, QStringLiteral("Критическая ошибка"));
    return false;
}

void LinkConnections::attachAll()
{
    ensureAttached(m_bench);
    ensureAttached(m_meter);
}

void LinkConnections::configure(comm::MBComMaster& server)
{
    server.setAnswerDelay(m_canal.varAnsDel);
    server.setLinkType(m_canal.varCLink);
    server.setComPort(m_canal.VarCPort);
    server.setComSpeed(settings::baudOfSpeedIndex(m_canal.varCSpeed));
    server.setRetries(m_canal.varRet);
    server.setInterByte(m_canal.varCInterval);
}

void LinkConnections::takeMeterAddress()
{
    m_meterAddress = quint8(input::StrToInt(m_form.config.edtadrp.text()));
    m_meter.setDeviceAddres(m_meterAddress);
}

void LinkConnections::ConnectZTAExecute()
{
    if (!ensureAttached(m_bench))
        return;
    if (m_benchLine.connected) {
        m_bench.setConnected(false);
        m_form.config.BitBtn5.setEnabled(false);
        m_form.config.BtnCount.setEnabled(false);
        return;
    }
    m_canal.TitleP = QStringLiteral("ZTA");
    m_canal.readSettings();
    configure(m_bench);
    m_bench.setConnected(true);
}

void LinkConnections::ConnectPribExecute()
{
    if (!ensureAttached(m_meter))
        return;
    if (m_meterLine.connected) {
        m_hooks.hideMeterWindows();
        m_meter.FreeAllTasks();
        m_meter.setConnected(false);
        m_form.config.BitBtn7.setEnabled(false);
        m_form.config.BtnSetup.setEnabled(false);
        return;
    }
    m_canal.TitleP = QStringLiteral("PRIBOR");
    m_canal.readSettings();
    takeMeterAddress();
    configure(m_meter);
    m_meter.setConnected(true);
}

void LinkConnections::btnCanalClick()
{
    m_canal.presetLinkType(1);
    m_canal.TitleP = QStringLiteral("ZTA");
    m_canal.toggle();
}

void LinkConnections::BBParamClick()
{
    m_canal.TitleP = QStringLiteral("Pribor");
    m_canal.enableLinkChoice();
    m_canal.toggle();
    takeMeterAddress();
}

void LinkConnections::MBCMChangeConnected(bool connected)
{
    auto& cfg = m_form.config;
    m_benchLine.connected = connected;
    m_form.StatusBar.setPanelText(0, connected ? QStringLiteral("Вкл сервер") : QStringLiteral("Выкл сервер"));
    cfg.BitBtn5.setEnabled(connected);
    cfg.BtnCount.setEnabled(connected);
    m_form.SB.setPanelText(0, lineStateText(m_bench, connected, QStringLiteral("ZTA on"), m_canal.VarCPort + QStringLiteral("ZTA off")));
    cfg.BtnConnect.setCaption(connected ? QStringLiteral("Отключиться") : QStringLiteral("Подключиться"));
    m_hooks.benchConnectedChanged(connected);
}

void LinkConnections::MBCM1ChangeConnected(bool connected)
{
    auto& cfg = m_form.config;
    m_meterLine.connected = connected;
    cfg.BitBtn7.setEnabled(connected);
    cfg.BtnSetup.setEnabled(connected);
    m_form.SB.setPanelText(0, lineStateText(m_meter, connected, QStringLiteral("Pribor on"),
                                            m_canal.VarCPort + QStringLiteral("Pribor off")));
    cfg.BtnConnect1.setCaption(connected ? QStringLiteral("Отключиться") : QStringLiteral("Подключиться"));
    if (connected)
        m_hooks.restartMeterPolling();
}

}  // namespace shell
