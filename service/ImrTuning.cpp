#include "service/ImrTuning.h"

#include "bench/ImrCommands.h"
#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"
#include "link/Result.h"
#include "shell/input/NumberInput.h"
#include "ui/model/Dialogs.h"
#include "ui/model/UserError.h"

#include <cmath>
#include <limits>

namespace service {

namespace qid = bench::qid;
namespace reg = bench::reg;
namespace imr = bench::imr;

namespace {
constexpr double kFoscUnitsPerMHz = 100000000.0;  // the register counts 1e-8 MHz
constexpr int kDa1Started = 16;                    // last command once DA1 tuning runs
constexpr int kDa2Commands[] = {imr::CmdDa2T0, imr::CmdDa2T1, imr::CmdDa2Switching};
const QString kStartFailed = QStringLiteral("Не удалось заслать команду START");
const QString kStopFailed = QStringLiteral("Не удалось заслать команду STOP");
}  // namespace

ImrTuning::ImrTuning(shell::Context& ctx, ui::forms::ImrPage& page, bench::ImrAutomaton& imr)
    : m_ctx(ctx), m_page(page), m_imr(imr)
{
    registerRows();
    m_page.BtnF.onClick = [this] { BtnFClick(); };
    m_page.btnT0.onClick = [this] { btnT0Click(); };
    m_page.BtnT1.onClick = [this] { BtnT1Click(); };
    m_page.BtnStartDa1.onClick = [this] { BtnStartDa1Click(); };
    m_page.BtnStopDa1.onClick = [this] { BtnStopDa1Click(); };
    m_page.BtnStartDa2.onClick = [this] { BtnStartDa2Click(); };
    m_page.BtnStopDa2.onClick = [this] { BtnStopDa2Click(); };
    m_page.Label30.onClick = [this] { m_imr.readEmulBit(); };
    m_page.Label61.onClick = [this] { Label61Click(); };
    m_page.Button14.onClick = [this] { m_imr.SetEmulBit(false); };
    m_page.Button15.onClick = [this] { m_imr.SetEmulBit(true); };
}

void ImrTuning::registerRows()
{
    namespace qid = bench::qid;
    comm::RouteTable& routes = m_ctx.bench.routes;
    auto writeRow = [this](ui::Button& button, QString what) {
        return comm::Route{nullptr, {}, [this, &button, what](const comm::Exchange& e) {
                               tuningWriteAnswered(button, what, e.result);
                           }};
    };
    routes.add(qid::FoscWrite, writeRow(m_page.BtnF, QStringLiteral("Частоты")));
    routes.add(qid::T0Write, writeRow(m_page.btnT0, QStringLiteral("T0")));
    routes.add(qid::T1Write, writeRow(m_page.BtnT1, QStringLiteral("T1")));
    routes.add(qid::PolarityWrite, {&m_ctx.state.results.ResPolarityBit, {}, {}});
    routes.add(qid::SarRead, {nullptr,
                              [this](const comm::Exchange& e) {
                                  m_page.lblDa1.setCaption(QString::number(e.element(0).toInt()));
                              },
                              [this](const comm::Exchange& e) {
                                  if (!e.ok())
                                      m_page.lblDa1.setCaption(comm::resultText(e.result));
                              }});
}

void ImrTuning::tuningWriteAnswered(ui::Button& button, const QString& what, int result)
{
    button.setEnabled(true);
    if (result != 0)
        ui::dialogs().message(QStringLiteral("Запись %1 не прошла! \r").arg(what) + comm::resultText(result));
}

void ImrTuning::sendTuningWrite(ui::Button& button, int qid, int reg, const std::function<QVariant()>& value)
{
    if (!m_ctx.access.known(m_ctx.modules.ImrModule))
        return;
    const QVariant written = value();
    comm::MBComMaster& server = m_ctx.bench.server;
    server.setDeviceAddres(m_ctx.modules.ImrModule.Adr);
    server.WriteHoldRegs(qid, 0, reg, written);
    button.setEnabled(false);
}

void ImrTuning::BtnFClick()
{
    sendTuningWrite(m_page.BtnF, qid::FoscWrite, reg::ImrFosc, [this] {
        const double mhz = input::StrToFloat(m_page.Edit28.text());
        const double units = std::nearbyint(mhz * kFoscUnitsPerMHz);
        // The register holds an unsigned 32-bit count: 42.94967295 MHz at most.
        if (!(units >= 0 && units <= double(std::numeric_limits<quint32>::max())))
            throw ui::UserError(QStringLiteral("Частота кварца %1 МГц не помещается в регистр модуля ИМР: "
                                               "допустимо от 0 до 42.94967295 МГц.")
                                    .arg(m_page.Edit28.text()));
        return QVariant(comm::u32(quint32(units)));
    });
}

void ImrTuning::writeTime(ui::Button& button, const ui::Edit& field, int qid, int reg)
{
    sendTuningWrite(button, qid, reg, [&field] { return QVariant(comm::f32(float(input::StrToFloat(field.text())))); });
}

void ImrTuning::btnT0Click()
{
    writeTime(m_page.btnT0, m_page.Edit29, qid::T0Write, reg::ImrT0);
}

void ImrTuning::BtnT1Click()
{
    writeTime(m_page.BtnT1, m_page.Edit30, qid::T1Write, reg::ImrT1);
}

std::optional<shell::ModuleAccess::Hold> ImrTuning::holdForTuning(const QString& holder)
{
    // A start while the other tuning runs takes the module over: its return to idle stops that one.
    m_tuning.reset();
    std::optional<shell::ModuleAccess::Hold> hold = m_ctx.access.hold(m_ctx.modules.ImrModule, holder);
    if (hold && !m_ctx.bench.connected)
        hold.reset();
    return hold;
}

bool ImrTuning::writeCommand(int command, const QString& failure)
{
    return m_ctx.bench.step(m_tuning ? m_tuning->address() : m_ctx.modules.ImrModule.Adr, qid::ImrCommand,
                            [command](comm::MBComMaster& s) {
                                s.WriteHoldRegs(qid::ImrCommand, 0, reg::ImrCommand, comm::u8(quint8(command)));
                            },
                            comm::Failure::only(failure));
}

bool ImrTuning::stopTuning()
{
    return writeCommand(imr::CmdStopTuning, kStopFailed);
}

void ImrTuning::BtnStartDa1Click()
{
    m_tuning = holdForTuning(QStringLiteral("идёт настройка DA1 модуля ИМР"));
    if (!m_tuning)
        return;
    if (!m_imr.ResetToIdle() || !writeCommand(imr::CmdDa1, kStartFailed)) {
        m_tuning.reset();
        return;
    }
    if (!m_imr.ReadImrState()) {
        ui::dialogs().message(QStringLiteral("Не удалось считать состояние прибора "));
        m_tuning.reset();
        return;
    }
    const bench::BenchValues& v = m_ctx.state.values;
    if (v.ImrState != imr::StateTuningDa1 || v.ImrError != 0 || v.ImrLastCmd != kDa1Started) {
        ui::dialogs().message(QStringLiteral("Ошибка ЗТА."));
        m_tuning.reset();
        return;
    }
    m_page.BtnStartDa1.setEnabled(false);
    m_page.BtnStopDa1.setEnabled(true);
    comm::MBComMaster& server = m_ctx.bench.server;
    server.setDeviceAddres(m_tuning->address());
    server.ReadInputRegs(qid::SarRead, SarPeriodMs, reg::ImrSarIn, int(comm::DataType::UInt8), 1);
}

void ImrTuning::BtnStopDa1Click()
{
    if (!stopTuning())
        return;
    m_page.BtnStartDa1.setEnabled(true);
    m_page.BtnStopDa1.setEnabled(false);
    m_ctx.bench.server.FreeTask(qid::SarRead);
    m_tuning.reset();
}

void ImrTuning::BtnStartDa2Click()
{
    m_tuning = holdForTuning(QStringLiteral("идёт настройка DA2 модуля ИМР"));
    if (!m_tuning)
        return;
    if (!startDa2())
        m_tuning.reset();
}

bool ImrTuning::startDa2()
{
    if (!m_imr.ResetToIdle())
        return false;
    const bool inverse = m_page.ChbPolar.isChecked();
    if (!m_ctx.bench.step(m_tuning->address(), qid::PolarityWrite,
                          [inverse](comm::MBComMaster& s) {
                              s.WriteHoldBins(qid::PolarityWrite, 0, reg::ImrPolarityCoil, comm::boolean(inverse));
                          },
                          comm::Failure::only(QStringLiteral("Не удалось записать полярность "))))
        return false;
    const int item = m_page.RGDa2.itemIndex();
    Q_ASSERT(item >= 0 && item < int(std::size(kDa2Commands)));
    if (!writeCommand(kDa2Commands[item], kStartFailed))
        return false;
    m_page.BtnStartDa2.setEnabled(false);
    m_page.ChbPolar.setEnabled(false);
    m_page.BtnStopDa2.setEnabled(true);
    return true;
}

void ImrTuning::BtnStopDa2Click()
{
    if (!stopTuning())
        return;
    m_page.BtnStartDa2.setEnabled(true);
    m_page.ChbPolar.setEnabled(true);
    m_page.BtnStopDa2.setEnabled(false);
    m_tuning.reset();
}

void ImrTuning::Label61Click()
{
    m_page.Panel1.setVisible(!m_page.Panel1.isVisible());
}

}  // namespace service
