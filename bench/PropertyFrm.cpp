#include "bench/PropertyFrm.h"

#include "bench/Qids.h"
#include "bench/Registers.h"
#include "link/DataType.h"
#include "link/Line.h"
#include "shell/input/NumberInput.h"
#include "ui/model/UserError.h"

#include <algorithm>
#include <array>

namespace bench {

namespace {
// Modbus unicast addresses; 0 would mean "not found" to the rest of the program.
constexpr int kFirstAddress = 1;
constexpr int kLastAddress = 247;
constexpr int kMaxRtsDelay = 255;
// The line speeds in the order of the speed codes; 19200 has no code the module takes.
constexpr std::array<int, 5> kSpeeds{1200, 2400, 4800, 9600, 19200};

// The module keeps one byte; a number beyond the bounds would arrive as its low 8 bits.
quint8 typedByte(const ui::Edit& edit, const QString& what, int min, int max)
{
    const int value = input::StrToInt(edit.text());
    if (value < min || value > max)
        throw ui::UserError(QStringLiteral("%1 «%2» вне пределов: допустимо от %3 до %4.")
                                .arg(what, edit.text().trimmed())
                                .arg(min)
                                .arg(max));
    return static_cast<quint8>(value);
}
}  // namespace

TPropertyFrm::TPropertyFrm(comm::Line& benchLine, shell::ModuleAccess& access) : m_bench(benchLine), m_access(access)
{
    form.onActivate = [this] { FormActivate(); };
    form.onHide = [this] { m_hold.reset(); };
    form.Button1.onClick = [this] { Button1Click(); };
    form.Button2.onClick = [this] { Button2Click(); };
    form.Button3.onClick = [this] { Button3Click(); };
    form.Button5.onClick = [this] { Button5Click(); };
}

void TPropertyFrm::showFor(TPZTA& module)
{
    m_hold.reset();
    m_hold = m_access.hold(module, QStringLiteral("открыто окно «Параметры модуля»"));
    if (!m_hold) {
        form.hide();
        return;
    }
    Prib = &module;
    form.show();
    form.activate();
}

TPZTA& TPropertyFrm::prib()
{
    Q_ASSERT_X(Prib, "TPropertyFrm", "shown without a module");
    return *Prib;
}

void TPropertyFrm::FormActivate()
{
    form.EdtAdr.setText(QString::number(prib().Adr));
    form.EdtRts.setText(QString::number(prib().RTSDelay));
    const int code = static_cast<int>(std::find(kSpeeds.begin(), kSpeeds.end(), m_bench.server.ComSpeed()) - kSpeeds.begin());
    // 19200 selects the code past the list, which shows nothing; an unknown speed keeps the choice.
    if (code < static_cast<int>(kSpeeds.size()))
        form.CBSpeed.setItemIndex(code);
}

quint8 TPropertyFrm::typedAddress() const
{
    return typedByte(form.EdtAdr, QStringLiteral("Адрес прибора"), kFirstAddress, kLastAddress);
}

bool TPropertyFrm::write(int qid, int reg, quint8 value)
{
    // Open only while it holds a found module, so the address is never 0 here.
    Q_ASSERT_X(m_hold && prib().Adr != 0, "TPropertyFrm", "a write without a held module");
    return m_bench.step(prib().Adr, qid,
                        [&](comm::MBComMaster& server) { server.WriteHoldRegs(qid, 0, reg, comm::u8(value)); },
                        comm::Failure::withText(QString()));
}

void TPropertyFrm::Button1Click()
{
    prib().Adr = typedAddress();
    form.hide();
}

void TPropertyFrm::Button2Click()
{
    const quint8 address = typedAddress();
    // Later requests must reach the module at its new address.
    if (write(qid::AddressWrite, reg::Address, address))
        prib().Adr = address;
}

void TPropertyFrm::Button3Click()
{
    write(qid::RtsWrite, reg::RtsDelay, typedByte(form.EdtRts, QStringLiteral("Задержка RTS"), 0, kMaxRtsDelay));
}

void TPropertyFrm::Button5Click()
{
    const int code = form.CBSpeed.itemIndex();
    if (code < 0)
        throw ui::UserError(QStringLiteral("Скорость не выбрана: выберите её в списке."));
    write(qid::SpeedWrite, reg::Speed, static_cast<quint8>(code));
}

}  // namespace bench
