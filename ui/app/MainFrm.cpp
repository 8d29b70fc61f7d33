#include "ui/app/MainFrm.h"

#include "bench/ModuleGrid.h"
#include "modes/verification/ProtocolFiles.h"
#include "shell/AboutBox.h"
#include "shell/ServerPriority.h"
#include "shell/input/NumberFormat.h"
#include "shell/settings/SettingsLocation.h"
#include "shell/settings/WindowPosition.h"
#include "ui/model/Dialogs.h"

#include <algorithm>
#include <array>

namespace app {

namespace {
const QString kFormSection = QStringLiteral("Form");
const QString kAddressSection = QStringLiteral("ZTA Address");
constexpr int kBenchCheckAutoCirc = 255;

// The УСИ input the statistics window counts; the first when none is chosen.
int chosenPulseInput(const ui::forms::UsiGroup& g)
{
    const std::array<const ui::RadioButton*, 4> choice{&g.rbv0, &g.rbv1, &g.rbv2, &g.rbv3};
    const auto chosen = std::find_if(choice.begin(), choice.end(), [](const ui::RadioButton* r) { return r->isChecked(); });
    return chosen == choice.end() ? 0 : int(chosen - choice.begin());
}
}  // namespace

TMainFrm::TMainFrm(const ServerFactory& makeServer, comm::PortSource ports, comm::Clock& clock)
    : MBCM(makeServer("bench")),
      MBCM1(makeServer("meter")),
      // The statistics window is built right after the context; the context only keeps the reference.
      ctx(*MBCM, *MBCM1, form.SB, calcFrm, clock),
      calcFrm(ctx.meter),
      SysFrm(form),
      CanalFrm(std::move(ports)),
      MProFrm(ctx.modules),
      ImVOFrm(ctx.imitation),
      KsForm1(ctx),
      FlowMeterForm(ctx, [this] { meterPolling.restartPolling(); }),
      FlowMeterFormKS(ctx, KsForm1, [this] { meterPolling.restartPolling(); }),
      meterWindows(FlowMeterForm, FlowMeterFormKS),
      links(form, CanalFrm, ctx.bench, ctx.meter, ctx.modules.MeterModule.Adr,
            {[this] {
                 meterWindows.hideSingle();
                 meterWindows.HideAll();
             },
             [this] { meterPolling.restartPolling(); },
             [this](bool on) { FrmInit.benchConnectionChanged(on); }}),
      discovery(ctx, form.config, [this] { MProFrm.writeIni(); }),
      moduleParameters(ctx),
      PropertyFrm(ctx.bench, ctx.access),
      FrmInit(ctx),
      imr(ctx, form.Label84),
      imrTuning(ctx, form.imr, imr),
      usiReadout(ctx, form.usiGroup),
      iptReadout(ctx, form.iptGroup, form.ipt, [this](double mA) { KsForm1.TokIpt(mA); }),
      iptCalibration(ctx, form.ipt2),
      delayLine(ctx, form.imr, form.poverQ, imr),
      trafficMonitor(*MBCM, *MBCM1),
      meterPolling(ctx, form.config, {form.imitQ.EdtRashQ1, form.imitV.edtnabor}, meterWindows),
      meterSelection(ctx, form.config, meterWindows, MProFrm, [this] { meterPolling.restartPolling(); }),
      autoCirculation(ctx, form.config, imr, meterWindows),
      imitationPages(form.imitQ, form.imitV, form.poverV),
      flowSetter(ctx, imitationPages),
      volumeImitation(ctx, flowSetter, imr, delayLine, imitationPages, form.Timer1),
      flowImitation(ctx, form.imitQ, flowSetter, imr, delayLine, {form.config.Button19, form.Timer1}),
      volumeAccumulation(ctx, form.imitV, ImVOFrm, volumeImitation, flowSetter, imr),
      volumeVerification(ctx, form.poverV, ImVOFrm, volumeImitation, flowSetter, imr,
                         [this] { volumeAccumulation.parametersAccepted(); }),
      flowVerification(ctx, form.poverQ, imr, delayLine),
      archive(settings::ztaIniPath()),
      autoVerification(ctx, {flowSetter, imr, delayLine, volumeImitation, [this] { return chosenPulseInput(form.usiGroup); },
                             [this] { return std::max(0, iptReadout.chosenChannel()); }, [this] { return archive.journal(); }}),
      ParATFrm(settings::ztaIniPath()),
      Form18(settings::ztaIniPath()),
      autoVerificationWindow(ctx, autoVerification, settings::ztaIniPath(), verification::defaultProtocolFolder())
{
    QObject::connect(MBCM.get(), &comm::MBComMaster::OnExchange, &form,
                     [this](int qid, int addr, int fun, const QVariant& v, int r) {
                         form.invoke([&] { ctx.bench.routes.dispatch({qid, addr, fun, v, r}); });
                     });
    QObject::connect(MBCM1.get(), &comm::MBComMaster::OnExchange, &form,
                     [this](int qid, int addr, int fun, const QVariant& v, int r) {
                         form.invoke([&] { ctx.meter.routes.dispatch({qid, addr, fun, v, r}); });
                     });

    bench::fillModuleGrid(form.config.sg);
    form.pc.setActivePage(&form.config.TsConfig);
    applyLayout(form, shell::LayoutMeters);
    wireWindowControls();

    readSettings();
    colorSetup = std::make_unique<shell::TColorSetup>(form);
    bench::showModuleAddresses(form.config.sg, ctx.modules);
    shell::RaiseServerPriority();
    links.attachAll();
}

TMainFrm::~TMainFrm()
{
    storeSettings();
}

void TMainFrm::wireWindowControls()
{
    form.config.SpeedButton1.onClick = [this] { SpeedButton1Click(); };
    form.config.BBnTarger.onClick = [this] { BBnTargerClick(); };
    form.config.Label3.onClick = [this] { Label3Click(); };
    form.config.BtnPropZTA.onClick = [this] { BtnPropZTAClick(); };
    form.asd1.onClick = [this] { FrmInit.show(); };
    form.mnuTraffic.onClick = [this] { trafficMonitor.show(); };
    form.StatusBar.onMouseDown = [this](Qt::MouseButton b, bool shift) { StatusBarMouseDown(b, shift); };
    form.mnuServicePages.onClick = [this] { mnuServicePagesClick(); };
    form.N9.onClick = [] { shell::showAboutBox(); };
    form.imitQ.SpeedButton3.onClick = [this] { calcFrm.form.show(); };
    form.imitV.SpeedButton2.onClick = [this] { calcFrm.form.show(); };
    form.protocol.Button12.onClick = [this] { ParATFrm.show(); };
    form.protocol.Button13.onClick = [this] { autoVerificationWindow.Button13Click(); };
    form.protocol.BtnAutoVerification.onClick = [this] { autoVerificationWindow.form.show(); };
    form.protocol.BtnPoints.onClick = [this] { Form18.show(); };
    autoVerificationWindow.alsoShowProgressOn(form.protocol.LblRunProgress, form.protocol.PBRun);
}

std::vector<ui::Form*> TMainFrm::secondaryForms()
{
    return {&SysFrm.form,
            &CanalFrm.form,
            &MProFrm.form,
            &ImVOFrm.form,
            &calcFrm.form,
            &FlowMeterForm.form,
            &FlowMeterFormKS.form,
            &KsForm1.form,
            &KsForm1.calibration(0).form,
            &KsForm1.calibration(1).form,
            &PropertyFrm.form,
            &FrmInit.form,
            &trafficMonitor.form,
            &ParATFrm.form,
            &autoVerificationWindow.form,
            &autoVerificationWindow.protocolForm,
            &Form18.form};
}

void TMainFrm::readSettings()
{
    MProFrm.readINI();
    ctx.modules.ImrModule.Adr = quint8(MProFrm.Imr);
    ctx.modules.UsiModule.Adr = quint8(MProFrm.Usi);
    ctx.modules.IptModule.Adr = quint8(MProFrm.IPT);

    const settings::IniFile ini(settings::ztaIniPath());
    if (ini.exists()) {
        form.config.cbxprib.setItemIndex(ini.readInteger(kAddressSection, QStringLiteral("Pribors"), 0));
        settings::restorePosition(ini, kFormSection, form, ui::dialogs().screenSize());
    }
    ctx.PriborType = form.config.cbxprib.itemIndex();
    meterSelection.SetPriborType(ctx.PriborType);
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
        ctx.OldBench = ui::dialogs().confirm(QStringLiteral("Вы работаете со старым ЗТА?"));
}

void TMainFrm::Label3Click()
{
    ui::Button& reset = form.config.Button19;
    reset.setVisible(!reset.isVisible());
}

void TMainFrm::BtnPropZTAClick()
{
    if (bench::TPZTA* module = discovery.selectedModule())
        PropertyFrm.showFor(*module);
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
    ctx.TargetTask = SysFrm.AimIndex;
    form.config.Label28.setCaption(SysFrm.AimIndexStr);
    form.config.GbPrib.setVisible(ctx.TargetTask == shell::LayoutMeters);
    if (ctx.TargetTask == shell::LayoutMeters)
        meterSelection.SetPriborType(ctx.PriborType);
    else
        ctx.AutoCircCount() = kBenchCheckAutoCirc;
}

}  // namespace app
