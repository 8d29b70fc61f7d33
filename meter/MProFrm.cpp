#include "meter/MProFrm.h"

#include "meter/PermissibleError.h"
#include "shell/input/NumberFormat.h"
#include "shell/input/NumberInput.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"
#include "ui/model/Dialogs.h"
#include "ui/model/UserError.h"

namespace meter {

namespace {
const QString kList = QStringLiteral("List");
const QString kAddress = QStringLiteral("ZTA Address");
// Types are entered one at a time by hand and a bench knows a few dozen, so a thousand is
// ample; a larger "Count" comes from a damaged file and must neither exhaust memory nor stall
// the start reading entries that are not there.
constexpr int kMaxEntries = 1000;

QString entryKey(const char* key, int n)
{
    return QString::fromLatin1(key) + QString::number(n);
}
}  // namespace

TMProFrm::TMProFrm(const bench::Modules& modules) : m_modules(modules)
{
    form.chbType.onChange = [this] { chbTypeChange(); };
    form.Button1.onClick = [this] { Button1Click(); };
    form.Button2.onClick = [this] { Button2Click(); };
    form.Button3.onClick = [this] { Button3Click(); };
    form.BitBtn4.onClick = [this] { BitBtn4Click(); };
    form.BitBtn5.onClick = [this] { BitBtn5Click(); };
    for (ui::Edit* e : {&form.Edit2, &form.Edit3, &form.Edit4})
        e->onKeyPress = input::edtInt;
    form.Edit5.onKeyPress = input::edtFloat;
}

void TMProFrm::readINI()
{
    form.chbType.clear();
    m_shownEntry = -1;
    const settings::IniFile ini(settings::ztaIniPath());
    if (!ini.exists())
        return;
    // A negative count is as good as none.
    int count = std::max(0, ini.readInteger(kList, QStringLiteral("count"), 0));
    if (count > kMaxEntries) {
        ui::dialogs().message(QStringLiteral("Список типов расходомеров в файле %1 повреждён: указано %2 типов, "
                                             "а их может быть не больше %3. Прочитаны первые %3.")
                                  .arg(ini.path(), QString::number(count), QString::number(kMaxEntries)),
                              ui::Icon::Warning);
        count = kMaxEntries;
    }
    Imr = ini.readInteger(kAddress, QStringLiteral("IMR"), 0);
    Usi = ini.readInteger(kAddress, QStringLiteral("USI"), 0);
    IPT = ini.readInteger(kAddress, QStringLiteral("IPT"), 0);

    Prib.resize(count);
    MaxErr.resize(count);
    CPrib = count;
    if (count == 0) {
        form.chbType.setText(QStringLiteral("Список пуст"));
        return;
    }
    for (int n = 1; n <= count; ++n) {
        const QString name = ini.readString(kList, entryKey("Name", n), QStringLiteral("Unknow"));
        form.chbType.addItem(name);
        TPribor& p = Prib[n - 1];
        p.Name = cutName(name);
        p.RegAc = ini.readInteger(kList, entryKey("RegAC", n), 0);
        p.RegQ = ini.readInteger(kList, entryKey("RegQ", n), 0);
        p.RegV = ini.readInteger(kList, entryKey("RegV", n), 0);
        MaxErr[n - 1] = storedPermissibleErrorPct(ini, n);
    }
}

void TMProFrm::writeIni()
{
    settings::IniFile ini(settings::ztaIniPath());
    ini.writeInteger(kAddress, QStringLiteral("IMR"), m_modules.ImrModule.Adr);
    ini.writeInteger(kAddress, QStringLiteral("IPT"), m_modules.IptModule.Adr);
    ini.writeInteger(kAddress, QStringLiteral("USI"), m_modules.UsiModule.Adr);
    // Entries deleted since the file was written leave their numbers; an entry added there
    // later must not inherit a permissible error.
    const int storedCount = std::clamp(ini.readInteger(kList, QStringLiteral("Count"), 0), 0, kMaxEntries);
    ini.writeInteger(kList, QStringLiteral("Count"), CPrib);
    for (int n = 1; n <= CPrib; ++n) {
        const TPribor& p = Prib[n - 1];
        ini.writeString(kList, entryKey("Name", n), p.Name);
        ini.writeInteger(kList, entryKey("RegAC", n), p.RegAc);
        ini.writeInteger(kList, entryKey("RegQ", n), p.RegQ);
        ini.writeInteger(kList, entryKey("RegV", n), p.RegV);
        if (const std::optional<double>& pct = MaxErr.value(n - 1))
            writePermissibleErrorPct(ini, n, *pct);
        else
            clearPermissibleErrorPct(ini, n);
    }
    for (int n = CPrib + 1; n <= storedCount; ++n)
        clearPermissibleErrorPct(ini, n);
    form.hide();
}

void TMProFrm::chbTypeChange()
{
    const int i = form.chbType.itemIndex();
    if (i < 0 || i >= Prib.size())
        return;
    const TPribor& p = Prib[i];
    form.Edit1.setText(p.Name);
    form.Edit2.setText(QString::number(p.RegAc));
    form.Edit3.setText(QString::number(p.RegQ));
    form.Edit4.setText(QString::number(p.RegV));
    form.Chbac.setChecked(p.RegAc != 0);
    form.Edit5.setText(input::format3(permissibleErrorOf(i)));
    m_shownEntry = i;
}

double TMProFrm::permissibleErrorOf(int i) const
{
    return MaxErr.value(i).value_or(DefaultPermissibleErrorPct);
}

double TMProFrm::typedPermissibleError() const
{
    const double pct = input::AnySepStrToFloat(form.Edit5.text());
    if (!(pct > 0))
        throw ui::UserError(QStringLiteral("\"%1\": значение %2 должно быть больше нуля")
                                .arg(form.Label6.caption(), form.Edit5.text().trimmed()));
    return pct;
}

void TMProFrm::Button1Click()
{
    if (adding())
        finishAdding();
    else
        startAdding();
}

void TMProFrm::startAdding()
{
    form.Edit1.setText(QString());
    for (ui::Edit* e : {&form.Edit2, &form.Edit3, &form.Edit4})
        e->setText(QStringLiteral("0"));
    form.chbType.setEnabled(false);
    form.Edit5.setText(input::format3(DefaultPermissibleErrorPct));
    m_shownEntry = -1;
    form.Chbac.setChecked(false);
    form.Button2.setEnabled(true);
    form.Button1.setCaption(QStringLiteral("Ввести"));
}

void TMProFrm::finishAdding()
{
    // The registers are read before the entry is added, so a mistyped number adds nothing.
    TPribor p;
    p.Name = cutName(form.Edit1.text());
    p.RegAc = input::StrToInt(form.Edit2.text());
    p.RegQ = input::StrToInt(form.Edit3.text());
    p.RegV = input::StrToInt(form.Edit4.text());
    const double pct = typedPermissibleError();
    Q_ASSERT(MaxErr.size() == Prib.size());
    Prib.append(p);
    MaxErr.append(pct == DefaultPermissibleErrorPct ? std::nullopt : std::optional(pct));
    m_shownEntry = Prib.size() - 1;
    CPrib = Prib.size();
    form.Button2.setEnabled(false);
    form.Button1.setCaption(QStringLiteral("Добавить"));
    form.chbType.setItemIndex(form.chbType.items().size() - 1);
    form.chbType.setEnabled(true);
}

void TMProFrm::Button2Click()
{
    form.Edit1.setText(QString());
    form.Edit2.setText(QString());
    form.chbType.setEnabled(true);
    form.Button2.setEnabled(false);
    form.Button1.setCaption(QStringLiteral("Добавить"));
    m_shownEntry = -1;
    if (CPrib > 0)
        form.chbType.setItemIndex(-1);
}

void TMProFrm::Button3Click()
{
    const int i = form.chbType.itemIndex();
    if (adding() || i < 0 || i >= Prib.size()) {
        ui::dialogs().message(QStringLiteral("Выберите в списке тип прибора, который нужно удалить"));
        return;
    }
    if (!ui::dialogs().confirm(QStringLiteral("Удалить тип прибора «%1» из списка?").arg(Prib[i].Name)))
        return;
    Q_ASSERT(MaxErr.size() == Prib.size());
    Prib.removeAt(i);
    MaxErr.removeAt(i);
    CPrib = Prib.size();
    QStringList items = form.chbType.items();
    items.removeAt(i);
    form.chbType.setItems(items);
    form.chbType.setItemIndex(-1);
    form.chbType.setText(CPrib == 0 ? QStringLiteral("Список пуст") : QString());
    for (ui::Edit* e : {&form.Edit1, &form.Edit2, &form.Edit3, &form.Edit4, &form.Edit5})
        e->setText(QString());
    m_shownEntry = -1;
}

void TMProFrm::BitBtn4Click()
{
    // The permissible error shown belongs to the entry shown; an unchanged value stores no key.
    if (!adding() && m_shownEntry >= 0 && m_shownEntry < Prib.size()) {
        const double pct = typedPermissibleError();
        if (pct != permissibleErrorOf(m_shownEntry))
            MaxErr[m_shownEntry] = pct;
    }
    writeIni();
    const int i = form.chbType.itemIndex();
    if (i >= 0 && i < Prib.size())
        Pribor = Prib[i];
    form.modalResult = ui::ModalResult::Ok;
}

void TMProFrm::BitBtn5Click()
{
    form.modalResult = ui::ModalResult::Cancel;
    form.hide();
}

}  // namespace meter
