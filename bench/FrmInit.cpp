#include "bench/FrmInit.h"

#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"
#include "link/Line.h"
#include "link/Clock.h"
#include "shell/context/Context.h"

#include <array>

namespace bench {

namespace {
// Every speed a module may have been set to, the line's own last.
constexpr std::array<int, 5> kSpeeds{1200, 2400, 4800, 9600, 19200};
// Address 0, speed code 3 (9600 baud), RTS delay 0.
const QVariantList kDefaults{comm::u8(0), comm::u8(3), comm::u8(0)};
}  // namespace

TFrmInit::TFrmInit(shell::Context& ctx) : m_ctx(ctx)
{
    // A broadcast draws no answer; the server reports it finished either way.
    m_ctx.bench.routes.add(qid::DefaultsBroadcast,
                       comm::Route{nullptr, {}, [this](const comm::Exchange& e) { writing = e.ok() ? 1 : 2; }});
    form.Button1.onClick = [this] { Button1Click(); };
    form.Button2.onClick = [this] { Button2Click(); };
}

void TFrmInit::show()
{
    form.show();
}

void TFrmInit::benchConnectionChanged(bool connected)
{
    Connecting = connected;
}

void TFrmInit::Button1Click()
{
    form.Memo1.clear();
    InitStop = false;
    // A second start from inside the running procedure's waits would interleave both.
    form.Button1.setEnabled(false);
    if (restoreDefaults()) {
        log(QStringLiteral("Завершено."));
        m_ctx.bench.server.setConnected(false);
    }
    form.Button1.setEnabled(true);
}

void TFrmInit::Button2Click()
{
    InitStop = true;
    form.hide();
}

bool TFrmInit::restoreDefaults()
{
    comm::MBComMaster& server = m_ctx.bench.server;
    for (const int speed : kSpeeds) {
        if (Connecting)
            server.setConnected(false);
        if (!waitFor([this] { return !Connecting; }))
            return false;
        server.setComSpeed(speed);
        log(QStringLiteral("Скорость=%1...").arg(server.ComSpeed()));
        Connecting = false;
        server.setConnected(true);
        if (!waitFor([this] { return Connecting; }))
            return false;
        log(QStringLiteral("Ok"));
        writing = -1;
        server.BroadcastHoldRegs(qid::DefaultsBroadcast, reg::Address, kDefaults);
        log(QStringLiteral("Запись адреса..."));
        if (!waitFor([this] { return writing != -1; }))
            return false;
        comm::pause(m_ctx.clock, m_ctx.timing.defaultsSettleMs);
    }
    return true;
}

bool TFrmInit::waitFor(const std::function<bool()>& done)
{
    while (!done() && !InitStop)
        comm::pause(m_ctx.clock, 1);
    return !InitStop;
}

}  // namespace bench
