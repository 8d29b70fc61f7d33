#include "meter/MProFrm.h"

#include "shell/input/NumberInput.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"
#include "ui/model/Dialogs.h"

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
    form.BitBtn4.onClick = [this] { BitBtn4Click(); };
    form.BitBtn5.onClick = [this] { BitBtn5Click(); };
    for (ui::Edit* e : {&form.Edit2, &form.Edit3, &form.Edit4})
        e->onKeyPress = input::edtInt;
}

void TMProFrm::readINI()
{
    form.chbType.clear();
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
    }
}

void TMProFrm::writeIni()
{
    settings::IniFile ini(settings::ztaIniPath());
    ini.writeInteger(kAddress, QStringLiteral("IMR"), m_modules.ImrModule.Adr);
    ini.writeInteger(kAddress, QStringLiteral("IPT"), m_modules.IptModule.Adr);
    ini.writeInteger(kAddress, QStringLiteral("USI"), m_modules.UsiModule.Adr);
    ini.writeInteger(kList, QStringLiteral("Count"), CPrib);
    for (int n = 1; n <= CPrib; ++n) {
        const TPribor& p = Prib[n - 1];
        ini.writeString(kList, entryKey("Name", n), p.Name);
        ini.writeInteger(kList, entryKey("RegAC", n), p.RegAc);
        ini.writeInteger(kList, entryKey("RegQ", n), p.RegQ);
        ini.writeInteger(kList, entryKey("RegV", n), p.RegV);
    }
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
    Prib.append(p);
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
    if (CPrib > 0)
        form.chbType.setItemIndex(-1);
}

void TMProFrm::BitBtn4Click()
{
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
