#include "bench/ImrAutomaton.h"

#include "bench/ImrCommands.h"
#include "bench/ImrStateText.h"
#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"
#include "link/Result.h"
#include "link/WaitAnswer.h"
#include "ui/model/Dialogs.h"

#include <QElapsedTimer>

namespace bench {

ImrAutomaton::ImrAutomaton(ui::forms::MainForm& form, BenchState& state, const Modules& modules,
                           comm::MBComMaster& bench, std::function<bool()> linkUp, const bool& oldBench)
    : m_form(form), m_state(state), m_modules(modules), m_bench(bench), m_linkUp(std::move(linkUp)), m_oldBench(oldBench)
{
    m_form.Label84.onClick = [this] { Label84Click(); };
    m_form.imr.Label30.onClick = [this] { Label30Click(); };
    m_form.imr.Label61.onClick = [this] { Label61Click(); };
    m_form.imr.Button14.onClick = [this] { SetEmulBit(false); };
    m_form.imr.Button15.onClick = [this] { SetEmulBit(true); };
}

bool ImrAutomaton::ReadImrState()
{
    if (!m_linkUp())
        return false;
    const quint8 adr = m_modules.ImrModule.Adr;
    if (adr == 0) {
        m_form.Label84.setCaption(QStringLiteral("Прибор ИМР не найден"));
        return false;
    }
    BenchValues& v = m_state.values;
    v.ImrState = v.ImrError = v.ImrLastCmd = -1;
    m_bench.setDeviceAddres(adr);
    m_bench.ReadInputRegs(qid::ImrStateRead, 0, reg::ImrStateIn, int(comm::DataType::UInt8), 3);
    comm::WaitAnswer(m_state.results.ResImrStateRead);
    if (m_state.results.ResImrStateRead != 0) {
        const QString text = QStringLiteral("Не удалось считать состояние ИМР");
        ui::dialogs().message(text);
        m_form.Label84.setCaption(text);
        return false;
    }
    m_form.Label84.setCaption(ImrStateText(v.ImrState, v.ImrError, v.ImrLastCmd));
    return true;
}

bool ImrAutomaton::writeCommand(int code)
{
    m_bench.setDeviceAddres(m_modules.ImrModule.Adr);
    m_bench.WriteHoldRegs(qid::ImrCommand, 0, reg::ImrCommand, comm::u8(quint8(code)));
    comm::WaitAnswer(m_state.results.ResImrCommand);
    return m_state.results.ResImrCommand == 0;
}

bool ImrAutomaton::ResetToIdle()
{
    if (!ReadImrState())
        return false;
    const int state = m_state.values.ImrState;
    if (state == imr::StateIdle)
        return true;
    if (state == imr::StateReadFailed)
        return false;
    const int stop = imr::stopCommandFor(state);
    // A state without its own stop command counts on the latest command write.
    const bool accepted = stop >= 0 ? writeCommand(stop) : m_state.results.ResImrCommand == 0;
    if (!accepted)
        return false;

    QElapsedTimer waited;
    waited.start();
    do {
        if (!ReadImrState())
            return false;
        if (m_state.values.ImrState == imr::StateIdle)
            return true;
    } while (waited.elapsed() < IdleTimeoutMs);
    ui::dialogs().message(QStringLiteral("ИМР не вернулся в исходное состояние за %1 с.\r%2")
                              .arg(IdleTimeoutMs / 1000)
                              .arg(imrStateLine(m_state.values.ImrState)));
    return false;
}

void ImrAutomaton::showBit(bool value)
{
    m_form.SB.setPanelText(0, value ? QStringLiteral("true") : QStringLiteral("false"));
}

bool ImrAutomaton::SetEmulBit(bool value)
{
    if (m_oldBench)
        return true;
    const quint8 adr = m_modules.ImrModule.Adr;
    if (adr == 0)
        return false;
    int& slot = m_state.results.ResEmulBit;
    m_bench.setDeviceAddres(adr);
    m_bench.ReadHoldBins(qid::EmulBitRead, 0, reg::ImrEmulCoil, 1);
    comm::WaitAnswer(slot);
    if (slot != 0) {
        ui::dialogs().message(QStringLiteral("Никак не считать состояние бита:") + comm::resultText(slot));
        return false;
    }
    showBit(m_state.values.EmulBit);
    if (m_state.values.EmulBit == value)
        return true;
    for (int attempt = 0; attempt < EmulBitTries; ++attempt) {
        m_bench.setDeviceAddres(adr);
        m_bench.WriteHoldBins(qid::EmulBitWrite, 0, reg::ImrEmulCoil, comm::boolean(value));
        comm::WaitAnswer(slot);
        if (slot == 0) {
            m_state.values.EmulBit = value;
            showBit(value);
            return true;
        }
        m_form.SB.setPanelText(0, comm::resultText(slot));
    }
    ui::dialogs().message(QStringLiteral("Не прошла запись битовой команды:") + comm::resultText(slot));
    return false;
}

void ImrAutomaton::Label30Click()
{
    const quint8 adr = m_modules.ImrModule.Adr;
    if (adr == 0)
        return;
    m_bench.setDeviceAddres(adr);
    m_bench.ReadHoldBins(qid::EmulBitRead, 0, reg::ImrEmulCoil, 1);
}

void ImrAutomaton::Label61Click()
{
    m_form.imr.Panel1.setVisible(!m_form.imr.Panel1.isVisible());
}

}  // namespace bench
