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
constexpr int kBenchCheckAutoCirc = 255;
}  // namespace

TMainFrm::TMainFrm(const ServerFactory& makeServer, comm::PortSource ports)
    : MBCM(makeServer("bench")),
      MBCM1(makeServer("meter")),
      DecSep(input::decimalSeparator()),
      SysFrm(form),
      CanalFrm(std::move(ports)),
      MProFrm(modules),
      links(form, CanalFrm, *MBCM, *MBCM1, modules.MeterModule.Adr,
            {[this] {
                 meterWindows.hideSingle();
                 meterWindows.HideAll();
             },
             [this] { meterDispatcher.restartPolling(); },
             {}}),
      discovery(form, modules, *MBCM,
                {[this] { return links.FServerConnected(); }, [this] { MProFrm.writeIni(); }, {}}),
      benchDispatcher(form, bench, calcFrm,
                      {[this](int addr, const QVariant& v, int r) { discovery.deviceNameAnswer(addr, v, r); }, {}, {}}),
      imr(form, bench, modules, *MBCM, [this] { return links.FServerConnected(); }, OldBench),
      meterSelection(form, Pribor, PriborType, bench.values.AutoCircCount, *MBCM, meterWindows, MProFrm,
                     [this] { meterDispatcher.restartPolling(); }),
      meterDispatcher(form, *MBCM1, modules.MeterModule, Pribor, PriborType, bench.values.AutoCircCount,
                      meterWindows, calcFrm, {[this] { return links.FPRiborConnected(); }, {}})
{
    QObject::connect(MBCM.get(), &comm::MBComMaster::OnExchange, &form,
                     [this](int qid, int addr, int fun, const QVariant& v, int r) {
                         form.invoke([&] { benchDispatcher.MBCMExchange(qid, addr, fun, v, r); });
                     });
    QObject::connect(MBCM1.get(), &comm::MBComMaster::OnExchange, &form,
                     [this](int qid, int addr, int fun, const QVariant& v, int r) {
                         form.invoke([&] { meterDispatcher.MBCM1Exchange(qid, addr, fun, v, r); });
                     });

    bench::fillModuleGrid(form.config.sg);
    form.pc.setActivePage(&form.config.TsConfig);
    applyLayout(form, LayoutMeters);
    form.protocol.TS4.setTabVisible(false);

    form.config.SpeedButton1.onClick = [this] { SpeedButton1Click(); };
    form.config.BBnTarger.onClick = [this] { BBnTargerClick(); };
    form.StatusBar.onMouseDown = [this](Qt::MouseButton b, bool shift) { StatusBarMouseDown(b, shift); };
    form.mnuServicePages.onClick = [this] { mnuServicePagesClick(); };
    form.N9.onClick = [] { showAboutBox(); };

    readSettings();
    bench::showModuleAddresses(form.config.sg, modules);
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
    PriborType = form.config.cbxprib.itemIndex();
    meterSelection.SetPriborType(PriborType);
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

void TMainFrm::BBnTargerClick()
{
    ui::dialogs().showModal(SysFrm.form);
    afterTargetTask();
}

void TMainFrm::mnuServicePagesClick()
{
    SysFrm.applyServiceLayout();
    afterTargetTask();
    form.pc.setActivePage(&form.imr.TSImr);
}

void TMainFrm::afterTargetTask()
{
    TargetTask = SysFrm.AimIndex;
    form.config.Label28.setCaption(SysFrm.AimIndexStr);
    form.config.GbPrib.setVisible(TargetTask == LayoutMeters);
    if (TargetTask == LayoutMeters)
        meterSelection.SetPriborType(PriborType);
    else
        bench.values.AutoCircCount = kBenchCheckAutoCirc;
}

}  // namespace shell
