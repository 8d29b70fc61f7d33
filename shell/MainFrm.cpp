#include "shell/MainFrm.h"

#include "bench/ModuleGrid.h"
#include "shell/AboutBox.h"
#include "shell/ServerPriority.h"
#include "shell/input/NumberFormat.h"
#include "shell/settings/SettingsLocation.h"
#include "shell/settings/WindowPosition.h"
#include "ui/model/Dialogs.h"

namespace shell {

namespace {
const QString kFormSection = QStringLiteral("Form");
const QString kAddressSection = QStringLiteral("ZTA Address");
}  // namespace

TMainFrm::TMainFrm(const ServerFactory& makeServer, comm::PortSource ports)
    : MBCM(makeServer("bench")),
      MBCM1(makeServer("meter")),
      DecSep(input::decimalSeparator()),
      CanalFrm(std::move(ports)),
      MProFrm(modules),
      links(form, CanalFrm, *MBCM, *MBCM1, modules.MeterModule.Adr, {})
{
    form.applyHeight(ui::forms::MainForm::NormalHeight);
    bench::fillModuleGrid(form.config.sg, modules);
    OldBench = false;

    form.pc.setActivePage(&form.config.TsConfig);
    for (ui::Page* p : {&form.imitV.TSImitV, &form.imitQ.TSImitQ})
        p->setTabVisible(true);
    for (ui::Page* p : {&form.protocol.TS4, &form.poverV.TSPoverV, &form.poverQ.TSPoverQ, &form.imr.TSImr,
                        &form.ipt.TSIpt, &form.usi.TsUSI, &form.ipt2.tsIPT2})
        p->setTabVisible(false);

    form.config.SpeedButton1.onClick = [this] { SpeedButton1Click(); };
    form.StatusBar.onMouseDown = [this](Qt::MouseButton b, bool shift) { StatusBarMouseDown(b, shift); };
    form.N9.onClick = [] { showAboutBox(); };

    readSettings();
    bench::fillModuleGrid(form.config.sg, modules);
    RaiseServerPriority();
    links.attachAll();
}

TMainFrm::~TMainFrm()
{
    storeSettings();
}

void TMainFrm::readSettings()
{
    MProFrm.readINI();
    modules.ImrModule.Adr = quint8(MProFrm.Imr);
    modules.UsiModule.Adr = quint8(MProFrm.Usi);
    modules.IptModule.Adr = quint8(MProFrm.IPT);

    const settings::IniFile ini(settings::ztaIniPath());
    if (ini.exists()) {
        form.config.cbxprib.setItemIndex(ini.readInteger(kAddressSection, QStringLiteral("Pribors"), -1));
        settings::restorePosition(ini, kFormSection, form, ui::dialogs().screenSize());
    }
}

void TMainFrm::storeSettings()
{
    settings::IniFile ini(settings::ztaIniPath());
    if (form.config.cbxprib.itemIndex() >= 0)
        ini.writeInteger(kAddressSection, QStringLiteral("Pribors"), form.config.cbxprib.itemIndex());
    settings::storePosition(ini, kFormSection, form);
}

void TMainFrm::SpeedButton1Click()
{
    using ui::forms::MainForm;
    form.applyHeight(form.geometry().height() == MainForm::NormalHeight ? MainForm::ExtendedHeight
                                                                        : MainForm::NormalHeight);
}

void TMainFrm::StatusBarMouseDown(Qt::MouseButton, bool shift)
{
    if (shift)
        OldBench = ui::dialogs().confirm(QStringLiteral("Вы работаете со старым ЗТА?"));
}

}  // namespace shell
