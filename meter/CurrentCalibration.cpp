#include "meter/CurrentCalibration.h"

#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"
#include "link/Result.h"
#include "shell/input/NumberFormat.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"
#include "shell/settings/WindowPosition.h"
#include "ui/model/Dialogs.h"

#include <cmath>

namespace meter {

namespace {
// Meter registers of slot s: calibration mode (1 start, 0 stop), the point it outputs, and the
// table of measured currents, point k of slot s at kTableReg + 4k + 2s.
constexpr int kModeReg = 60;
constexpr int kPointReg = 62;
constexpr int kTableReg = 0xC02C;
// Request numbers of slot s: start kStartQid + s (stop: its negative), point kPointQid + s,
// table write of point k kTableQid + 4s + k.
constexpr int kStartQid = 29;
constexpr int kPointQid = 31;
constexpr int kTableQid = 33;

constexpr std::array<double, TKsCalibTokForm::Points> kNominalMa{0, 4, 5, 20};
constexpr float kZeroToleranceMa = 0.2f;
constexpr double kTolerancePercent = 5;

bool agrees(int point, float measured)
{
    if (point == 0)
        return std::abs(measured) <= kZeroToleranceMa;
    const double nominal = kNominalMa[size_t(point)];
    return std::abs(measured - nominal) / nominal * 100 <= kTolerancePercent;
}

QString nominalText(int point)
{
    return QString::number(kNominalMa[size_t(point)]);
}

QString positionSection(int slot)
{
    return QStringLiteral("KsCalibTokForm") + QString::number(slot);
}
}  // namespace

TKsCalibTokForm::TKsCalibTokForm(shell::Context& ctx, int slot, ui::Button& slotButton)
    : m_ctx(ctx), FSlot(slot), m_slotButton(slotButton)
{
    Q_ASSERT(slot == 0 || slot == 1);
    const QString n = QString::number(slot + 1);
    form.setCaption(slot == 0 ? QStringLiteral("Первый слот") : QStringLiteral("Второй слот"));
    form.Label5.setCaption(QStringLiteral("Подключите токовый выход ") + n
                           + QStringLiteral("\rк выбранному каналу ИПТ\rи нажмите 'СТАРТ КАЛИБРОВКИ'"));
    form.btnStart.onClick = [this] { Start(); };
    form.BtnStop.onClick = [this] { Stop(); };
    form.Timer.onTimer = [this] { TimerTimer(); };
    registerRows();
    settings::restorePosition(settings::IniFile(settings::ztaIniPath()), positionSection(FSlot), form,
                              ui::dialogs().screenSize());
}

TKsCalibTokForm::~TKsCalibTokForm()
{
    settings::IniFile ini(settings::ztaIniPath());
    settings::storePosition(ini, positionSection(FSlot), form);
}

void TKsCalibTokForm::registerRows()
{
    comm::RouteTable& routes = m_ctx.meter.routes;
    auto status = [this](const char* prefix) {
        return [this, prefix](const comm::Exchange& e) { showStatus(prefix, e.result); };
    };
    routes.add(kStartQid + FSlot, {&F29_30, {}, status("Старт калибровки: ")});
    routes.add(-(kStartQid + FSlot), {&F_29_30, {}, status("Стоп калибровки: ")});
    routes.add(kPointQid + FSlot, {&F31_32, {}, status("Ток: ")});
    for (int k = 0; k < Points; ++k)
        routes.add(kTableQid + 4 * FSlot + k, {nullptr, {}, [label = form.status()[size_t(k)]](const comm::Exchange& e) {
                                                   label->setCaption(e.ok() ? QStringLiteral("Записано")
                                                                            : comm::resultText(e.result));
                                               }});
}

void TKsCalibTokForm::showStatus(const char* prefix, int result)
{
    form.SB.setPanelText(0, QString::fromUtf8(prefix) + comm::resultText(result));
}

quint8 TKsCalibTokForm::meterAddress() const
{
    return m_ctx.modules.MeterModule.Adr;
}

void TKsCalibTokForm::setTokIpt(double mA)
{
    if (!calibrating())
        return;
    FTokIpt = mA;
    Tok[size_t(ForI)] = float(mA);
    form.measured()[size_t(ForI)]->setText(input::format3(mA));
}

void TKsCalibTokForm::Start()
{
    // "Старт калибровки" is still enabled while the start command waits for its answer.
    if (calibrating())
        return;
    if (!m_ctx.meter.connected) {
        ui::dialogs().message(QStringLiteral("Не подключен прибор!"));
        return;
    }
    if (!m_ctx.bench.connected) {
        ui::dialogs().message(QStringLiteral("Не подключен ИПТ!"));
        return;
    }
    // The current meter's address is taken once: no module search may move it under the run.
    m_ipt = m_ctx.access.hold(m_ctx.modules.IptModule, QStringLiteral("идёт калибровка токового выхода"));
    if (!m_ipt)
        return;
    regim = Running;
    Tok = {};  // only what this run measures may reach the meter's table
    m_slotButton.setCaption(QStringLiteral("Идет калибровка..."));
    for (ui::Edit* e : form.measured())
        e->setText(QString());
    for (ui::Label* l : form.status())
        l->setCaption(QString());

    const int qid = kStartQid + FSlot;
    if (!m_ctx.meter.step(meterAddress(), qid,
                          [this, qid](comm::MBComMaster& m) { m.WriteHoldRegs(qid, 0, kModeReg + FSlot, comm::u8(1)); },
                          comm::Failure::only(QStringLiteral("Не удалось записать команду START")))) {
        // The slot button keeps telling that a calibration runs: the meter may have started one.
        regim = Idle;
        m_ipt.reset();
        return;
    }
    form.btnStart.setEnabled(false);
    form.BtnStop.setVisible(true);

    for (int k = 0; k < Points; ++k)
        if (!measurePoint(k))
            return;
    if (currentsAgree())
        writeTable();
    else
        ui::dialogs().message(QStringLiteral("Значения токов отличаются от эталонных\r"
                                             "на значения больше допустимых\r"
                                             "Проверьте подключение ИПТ"));
    Stop();
}

// Has the meter output point k and keeps the current meter's last reading of it; false when
// the calibration ended on the way, or when the current meter never answered at the point.
bool TKsCalibTokForm::measurePoint(int k)
{
    timecounter = 0;
    ForI = k;
    const int qid = kPointQid + FSlot;
    const bool written =
        m_ctx.meter.step(meterAddress(), qid,
                         [this, qid, k](comm::MBComMaster& m) { m.WriteHoldRegs(qid, 0, kPointReg + FSlot, comm::u8(quint8(k))); },
                         comm::Failure::only(QStringLiteral("Не удалось записать измеряемый ток!")));
    if (!calibrating())  // "Остановить" while the point was on its way
        return false;
    if (!written) {
        Stop();
        return false;
    }
    regim = AtPoint;
    form.Timer.setRunning(true);
    const quint8 ipt = m_ipt->address();
    while (regim == AtPoint)
        m_ctx.bench.step(ipt, bench::qid::IptCurrentsCalib,
                         [](comm::MBComMaster& b) {
                             b.ReadInputRegs(bench::qid::IptCurrentsCalib, 0, bench::reg::IptCurrentsIn,
                                             int(comm::DataType::Float), 4);
                         },
                         comm::Failure::quiet());
    if (!calibrating())
        return false;
    if (!Tok[size_t(k)]) {
        ui::dialogs().message(QStringLiteral("Ток %1 мА не измерен: ИПТ не ответил\rПроверьте подключение ИПТ")
                                  .arg(nominalText(k)));
        Stop();
        return false;
    }
    return true;
}

void TKsCalibTokForm::TimerTimer()
{
    ++timecounter;
    form.pb.setPosition(timecounter);
    if (timecounter < SecondsPerPoint)
        return;
    form.pb.setPosition(0);
    regim = Running;
    form.Timer.setRunning(false);
}

bool TKsCalibTokForm::currentsAgree() const
{
    for (int k = 0; k < Points; ++k) {
        Q_ASSERT_X(Tok[size_t(k)], "currentsAgree", "a point without a current ends the calibration");
        if (!agrees(k, *Tok[size_t(k)]))
            return false;
    }
    return true;
}

// Each answer reports in its point's status label; nothing waits for them.
void TKsCalibTokForm::writeTable()
{
    comm::MBComMaster& meter = m_ctx.meter.server;
    meter.setDeviceAddres(meterAddress());
    for (int k = 0; k < Points; ++k)
        meter.WriteHoldRegs(kTableQid + 4 * FSlot + k, 0, kTableReg + 4 * k + 2 * FSlot, comm::f32(*Tok[size_t(k)]));
}

void TKsCalibTokForm::Stop()
{
    form.btnStart.setEnabled(true);
    form.BtnStop.setVisible(false);
    form.Timer.setRunning(false);
    form.pb.setPosition(0);
    regim = Idle;
    m_ipt.reset();
    m_slotButton.setCaption(QStringLiteral("Калибровка токового выхода"));
    const int qid = -(kStartQid + FSlot);
    m_ctx.meter.step(meterAddress(), qid,
                     [this, qid](comm::MBComMaster& m) { m.WriteHoldRegs(qid, 0, kModeReg + FSlot, comm::u8(0)); },
                     comm::Failure::only(QStringLiteral("Не удалось записать команду STOP")));
}

}  // namespace meter
