#include "service/DelayLineCalibration.h"

#include "bench/ImrCommands.h"
#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"
#include "link/Clock.h"
#include "service/DelayLineMath.h"
#include "shell/input/NumberFormat.h"
#include "ui/model/Dialogs.h"

#include <cmath>

namespace service {

namespace qid = bench::qid;
namespace reg = bench::reg;

namespace {
const QString kPrefix = QStringLiteral("Производится калибровка : ");
constexpr int kCalibrationDone = 8;  // last command after a calibration
}  // namespace

DelayLineCalibration::DelayLineCalibration(shell::Context& ctx, ui::forms::ImrPage& tuningPage,
                                           ui::forms::PoverQPage& verificationPage, bench::ImrAutomaton& imr)
    : m_ctx(ctx), m_tuningPage(tuningPage), m_verificationPage(verificationPage), m_imr(imr)
{
    registerRows();
    m_tuningPage.Button29.onClick = [this] { calibrateAndShow(); };
    m_verificationPage.Button20.onClick = [this] { calibrateAndShow(); };
}

void DelayLineCalibration::registerRows()
{
    bench::BenchSlots& slots = m_ctx.state.results;
    bench::BenchValues& values = m_ctx.state.values;
    comm::RouteTable& routes = m_ctx.bench.routes;
    routes.add(qid::ConvCountWrite, {&slots.ResConvCountWrite, {}, {}});
    routes.add(qid::CalibSumsRead, {&slots.ResCalibSumsRead, [&values](const comm::Exchange& e) {
                                        for (int record = 0; record < 2; ++record)
                                            for (int i = 0; i < 5; ++i)
                                                values.DelayCalib[record].Sum[i] = e.element(record * 5 + i).toUInt();
                                    }, {}});
    routes.add(qid::FoscRead, {&slots.ResFoscRead,
                               [&values](const comm::Exchange& e) { values.FoscRaw = e.element(0).toUInt(); }, {}});
    routes.add(qid::T0T1Read, {&slots.ResT0T1Read, [&values](const comm::Exchange& e) {
                                   values.T0 = e.element(0).toDouble();
                                   values.T1 = e.element(1).toDouble();
                               }, {}});
}

void DelayLineCalibration::status(const QString& text)
{
    m_ctx.SB.setPanelText(0, kPrefix + text);
}

bool DelayLineCalibration::read(int qid, int reg, comm::DataType type, int count, bool input,
                                const comm::Failure& failure)
{
    return m_ctx.bench.step(m_ctx.modules.ImrModule.Adr, qid,
                            [=](comm::MBComMaster& s) {
                                if (input)
                                    s.ReadInputRegs(qid, 0, reg, int(type), count);
                                else
                                    s.ReadHoldRegs(qid, 0, reg, int(type), count);
                            },
                            failure);
}

bool DelayLineCalibration::CalibrateDelayLine()
{
    constexpr int conversions = DelayLineConstants::Conversions;
    status(QString());
    const std::optional<shell::ModuleAccess::Hold> imr =
        m_ctx.access.hold(m_ctx.modules.ImrModule, QStringLiteral("идёт калибровка линии задержки"));
    if (!imr)
        return false;
    const quint8 adr = imr->address();
    comm::Line& line = m_ctx.bench;
    line.server.setDeviceAddres(adr);
    if (!line.step(adr, qid::ConvCountWrite,
                   [](comm::MBComMaster& s) {
                       s.WriteHoldRegs(qid::ConvCountWrite, 0, reg::ImrConvCount, comm::u16(conversions));
                   },
                   comm::Failure::withText(QStringLiteral("Калибровка:Не прошла запись числа конверсий:"))))
        return false;
    status(QStringLiteral("Приводим в состояние ИДЛЕ"));
    if (!m_imr.ResetToIdle()) {
        ui::dialogs().message(QStringLiteral("Ошибка : попробуйте еще раз"));
        return false;
    }
    if (!line.step(adr, qid::ImrCommand,
                   [](comm::MBComMaster& s) {
                       s.WriteHoldRegs(qid::ImrCommand, 0, reg::ImrCommand, comm::u8(bench::imr::CmdCalibrate));
                   },
                   comm::Failure::only(QStringLiteral("Калибровка:Не прошла команда калибровки"))))
        return false;
    comm::pause(m_ctx.clock, 3 * conversions);
    m_imr.ReadImrState();
    const bench::BenchValues& v = m_ctx.state.values;
    if (v.ImrState != bench::imr::StateIdle || v.ImrError != 0 || v.ImrLastCmd != kCalibrationDone) {
        ui::dialogs().message(QStringLiteral("Автомат сработал некорректно"));
        return false;
    }
    status(QStringLiteral("результаты..."));
    if (!read(qid::CalibSumsRead, reg::ImrCalibSumsIn, comm::DataType::UInt32, 10, true,
              comm::Failure::withCode(QStringLiteral("Калибровка:Ошибка чтения результатов:"))))
        return false;
    status(QStringLiteral("частота кварца..."));
    if (!read(qid::FoscRead, reg::ImrFosc, comm::DataType::UInt32, 1, false,
              comm::Failure::only(QStringLiteral("Калибровка:Ошибка чтения частоты кварца"))))
        return false;
    status(QStringLiteral("времена..."));
    if (!read(qid::T0T1Read, reg::ImrT0, comm::DataType::Float, 2, false,
              comm::Failure::only(QStringLiteral("Калибровка:Ошибка чтения времен"))))
        return false;
    if (m_ctx.state.values.FoscRaw == 0) {
        ui::dialogs().message(QStringLiteral("Калибровка: модуль ИМР сообщил частоту кварца 0 МГц, задержку "
                                             "рассчитать нельзя. Проверьте настройку частоты (Fosc) на странице "
                                             "\"Настройка ИМР\"."));
        return false;
    }
    status(QStringLiteral("Ok..."));
    bench::BenchValues& values = m_ctx.state.values;
    const int chosen = computeDelayLine(values.DelayCalib, values.FoscRaw, values.T0, values.T1, FineOffset);
    m_ctx.imitation.CalibratedDT = values.DelayCalib[chosen].Delay;
    status(QStringLiteral("расчеты проведены = ") + input::formatGeneral(m_ctx.imitation.CalibratedDT));
    return true;
}

void DelayLineCalibration::showValues()
{
    const bench::BenchValues& v = m_ctx.state.values;
    auto& p = m_tuningPage;
    p.Edit29.setText(input::format3(v.T0));
    p.Edit30.setText(input::format3(v.T1));
    p.Edit28.setText(input::formatFloat(v.FoscRaw / 100000000.0, 5));
    p.Edit31.setText(input::format3(v.DelayCalib[0].Delay));
    p.Edit32.setText(input::format3(v.DelayCalib[1].Delay));
    p.Edit33.setText(input::format3(std::abs(v.DelayCalib[0].Delay + v.DelayCalib[1].Delay) / 2));
    m_verificationPage.Edit10.setText(p.Edit33.text());
}

void DelayLineCalibration::calibrateAndShow()
{
    if (CalibrateDelayLine())
        showValues();
}

}  // namespace service
