#include "bench/ImrAutomaton.h"

#include "bench/ImrCommands.h"
#include "bench/ImrStateText.h"
#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"
#include "link/Result.h"
#include "link/WaitAnswer.h"
#include "ui/model/Dialogs.h"


namespace bench {

ImrAutomaton::ImrAutomaton(shell::Context& ctx, ui::Label& stateLabel) : m_ctx(ctx), m_stateLabel(stateLabel)
{
    registerRows();
    m_stateLabel.onClick = [this] { Label84Click(); };
}

void ImrAutomaton::registerRows()
{
    BenchSlots& slots = m_ctx.state.results;
    BenchValues& values = m_ctx.state.values;
    comm::RouteTable& routes = m_ctx.bench.routes;
    routes.add(qid::ImrStateRead, {&slots.ResImrStateRead,
                                   [&values](const comm::Exchange& e) {
                                       values.ImrState = e.element(0).toInt();
                                       values.ImrError = e.element(1).toInt();
                                       values.ImrLastCmd = e.element(2).toInt();
                                   },
                                   [&values](const comm::Exchange& e) {
                                       if (!e.ok())
                                           values.ImrState = imr::StateReadFailed;
                                   }});
    routes.add(qid::EmulBitRead, {&slots.ResEmulBit,
                                  [&values](const comm::Exchange& e) { values.EmulBit = e.element(0).toBool(); },
                                  [this, &values](const comm::Exchange& e) {
                                      if (e.ok())
                                          showBit(values.EmulBit);
                                      else
                                          m_ctx.SB.setPanelText(0, QStringLiteral("error"));
                                  }});
    routes.add(qid::EmulBitWrite, {&slots.ResEmulBit, {}, {}});
    routes.add(qid::ImrCommand, {&slots.ResImrCommand, {}, {}});
}

bool ImrAutomaton::ReadImrState()
{
    if (!m_ctx.bench.connected)
        return false;
    const quint8 adr = m_ctx.modules.ImrModule.Adr;
    if (adr == 0) {
        m_stateLabel.setCaption(QStringLiteral("Прибор ИМР не найден"));
        return false;
    }
    BenchValues& v = m_ctx.state.values;
    v.ImrState = v.ImrError = v.ImrLastCmd = -1;
    const QString failure = QStringLiteral("Не удалось считать состояние ИМР");
    if (!m_ctx.bench.step(adr, qid::ImrStateRead,
                          [](comm::MBComMaster& s) {
                              s.ReadInputRegs(qid::ImrStateRead, 0, reg::ImrStateIn, int(comm::DataType::UInt8), 3);
                          },
                          comm::Failure::only(failure))) {
        m_stateLabel.setCaption(failure);
        return false;
    }
    m_stateLabel.setCaption(ImrStateText(v.ImrState, v.ImrError, v.ImrLastCmd));
    return true;
}

bool ImrAutomaton::writeCommand(int code)
{
    return m_ctx.bench.step(m_ctx.modules.ImrModule.Adr, qid::ImrCommand,
                            [code](comm::MBComMaster& s) {
                                s.WriteHoldRegs(qid::ImrCommand, 0, reg::ImrCommand, comm::u8(quint8(code)));
                            },
                            comm::Failure::quiet());
}

bool ImrAutomaton::ResetToIdle()
{
    if (!ReadImrState())
        return false;
    const int state = m_ctx.state.values.ImrState;
    if (state == imr::StateIdle)
        return true;
    if (state == imr::StateReadFailed)
        return false;
    const int stop = imr::stopCommandFor(state);
    // A state without its own stop command counts on the latest command write.
    const bool accepted = stop >= 0 ? writeCommand(stop) : m_ctx.state.results.ResImrCommand == 0;
    if (!accepted)
        return false;

    // Each look is an exchange on the line, so the clock moves on between two of them.
    const int timeoutMs = m_ctx.timing.imrIdleTimeoutMs;
    const qint64 deadline = m_ctx.clock.nowMs() + timeoutMs;
    do {
        if (!ReadImrState())
            return false;
        if (m_ctx.state.values.ImrState == imr::StateIdle)
            return true;
    } while (m_ctx.clock.nowMs() < deadline);
    ui::dialogs().message(QStringLiteral("ИМР не вернулся в исходное состояние за %1 с.\r%2")
                              .arg(timeoutMs / 1000)
                              .arg(imrStateLine(m_ctx.state.values.ImrState)));
    return false;
}

void ImrAutomaton::showBit(bool value)
{
    m_ctx.SB.setPanelText(0, value ? QStringLiteral("true") : QStringLiteral("false"));
}

void ImrAutomaton::readEmulBit()
{
    if (!m_ctx.access.known(m_ctx.modules.ImrModule))
        return;
    const quint8 adr = m_ctx.modules.ImrModule.Adr;
    m_ctx.bench.server.setDeviceAddres(adr);
    m_ctx.bench.server.ReadHoldBins(qid::EmulBitRead, 0, reg::ImrEmulCoil, 1);
}

bool ImrAutomaton::SetEmulBit(bool value)
{
    if (m_ctx.OldBench)
        return true;
    if (!m_ctx.access.known(m_ctx.modules.ImrModule))
        return false;
    const quint8 adr = m_ctx.modules.ImrModule.Adr;
    comm::Line& line = m_ctx.bench;
    if (!line.step(adr, qid::EmulBitRead,
                   [](comm::MBComMaster& s) { s.ReadHoldBins(qid::EmulBitRead, 0, reg::ImrEmulCoil, 1); },
                   comm::Failure::withText(QStringLiteral("Никак не считать состояние бита:"))))
        return false;
    if (m_ctx.state.values.EmulBit == value)
        return true;
    for (int attempt = 0; attempt < EmulBitTries; ++attempt) {
        if (line.step(adr, qid::EmulBitWrite,
                      [value](comm::MBComMaster& s) {
                          s.WriteHoldBins(qid::EmulBitWrite, 0, reg::ImrEmulCoil, comm::boolean(value));
                      },
                      comm::Failure::quiet())) {
            m_ctx.state.values.EmulBit = value;
            showBit(value);
            return true;
        }
        m_ctx.SB.setPanelText(0, comm::resultText(line.result(qid::EmulBitWrite)));
    }
    ui::dialogs().message(QStringLiteral("Не прошла запись битовой команды:")
                          + comm::resultText(line.result(qid::EmulBitWrite)));
    return false;
}

}  // namespace bench
