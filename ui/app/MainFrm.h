#pragma once
// The main window: it owns the two line connections, the program-wide context and the dialogs,
// and builds the part of the program behind each page, group and window.
#include "bench/FrmInit.h"
#include "bench/ImrAutomaton.h"
#include "bench/ModuleDiscovery.h"
#include "bench/ModuleParameters.h"
#include "bench/PropertyFrm.h"
#include "shell/lines/CanalFrm.h"
#include "shell/lines/LinkConnections.h"
#include "link/MBComMaster.h"
#include "meter/AutoCirculation.h"
#include "meter/MProFrm.h"
#include "meter/MeterPolling.h"
#include "meter/MeterSelection.h"
#include "meter/MeterWindows.h"
#include "meter/SlotsWindow.h"
#include "modes/CalcFrm.h"
#include "modes/FlowImitation.h"
#include "modes/FlowSetter.h"
#include "modes/FlowVerification.h"
#include "modes/ImVOFrm.h"
#include "modes/ImitationPages.h"
#include "modes/VolumeAccumulation.h"
#include "modes/VolumeImitation.h"
#include "modes/VolumeVerification.h"
#include "modes/verification/AutoVerification.h"
#include "modes/verification/AutoVerificationWindow.h"
#include "modes/verification/ParATFrm.h"
#include "modes/verification/archive/ProgramArchive.h"
#include "modes/verification/PointsFrm.h"
#include "service/DelayLineCalibration.h"
#include "service/ImrTuning.h"
#include "service/IptCalibration.h"
#include "service/IptReadout.h"
#include "service/TrafficMonitor.h"
#include "service/UsiReadout.h"
#include "shell/ColorCustomisation.h"
#include "shell/TargetTask.h"
#include "shell/context/Context.h"
#include "ui/forms/MainForm.h"

#include <functional>
#include <memory>
#include <vector>

namespace app {

// Makes the communication server component of one line ("bench" or "meter").
using ServerFactory = std::function<std::unique_ptr<comm::MBComMaster>(const char* line)>;

class TMainFrm {
public:
    // `clock` times every wait of the workflows; tests give one they drive.
    explicit TMainFrm(const ServerFactory& makeServer, comm::PortSource ports = comm::availablePorts,
                      comm::Clock& clock = comm::steadyClock());
    ~TMainFrm();  // stores the window's settings
    TMainFrm(const TMainFrm&) = delete;
    TMainFrm& operator=(const TMainFrm&) = delete;

    ui::forms::MainForm form;
    std::unique_ptr<comm::MBComMaster> MBCM;
    std::unique_ptr<comm::MBComMaster> MBCM1;
    shell::Context ctx;

    // The statistics window; the context's statistics inputs refer to it.
    modes::TcalcFrm calcFrm;
    shell::TSysFrm SysFrm;
    shell::TCanalFrm CanalFrm;
    meter::TMProFrm MProFrm;
    modes::TImVOFrm ImVOFrm;
    meter::TKsForm1 KsForm1;
    meter::TFlowMeterForm FlowMeterForm;
    meter::TFlowMeterFormKS FlowMeterFormKS;
    meter::MeterWindows meterWindows;

    // The lines and the bench modules.
    shell::LinkConnections links;
    bench::ModuleDiscovery discovery;
    bench::ModuleParameters moduleParameters;
    bench::TPropertyFrm PropertyFrm;
    bench::TFrmInit FrmInit;
    bench::ImrAutomaton imr;
    service::ImrTuning imrTuning;
    service::UsiReadout usiReadout;
    service::IptReadout iptReadout;
    service::IptCalibration iptCalibration;
    service::DelayLineCalibration delayLine;
    service::TrafficMonitor trafficMonitor;

    // The meter under test.
    meter::MeterPolling meterPolling;
    meter::MeterSelection meterSelection;
    meter::AutoCirculation autoCirculation;

    // The working modes.
    modes::ImitationPages imitationPages;
    modes::FlowSetter flowSetter;
    modes::VolumeImitation volumeImitation;
    modes::FlowImitation flowImitation;
    modes::VolumeAccumulation volumeAccumulation;
    modes::VolumeVerification volumeVerification;
    modes::FlowVerification flowVerification;

    // The automatic verification of the meter under test, started from the page "Протокол".
    verification::archive::ProgramArchive archive;
    verification::AutoVerification autoVerification;
    verification::TParATFrm ParATFrm;
    verification::PointsFrm Form18;
    verification::AutoVerificationWindow autoVerificationWindow;

    // Built once the settings are read: the colour file applies on top of them.
    std::unique_ptr<shell::TColorSetup> colorSetup;

    void SpeedButton1Click();
    void StatusBarMouseDown(Qt::MouseButton button, bool shift);
    void BBnTargerClick();
    void mnuServicePagesClick();
    void Label3Click();
    void BtnPropZTAClick();

    // The windows besides the main one, for the window manager.
    std::vector<ui::Form*> secondaryForms();

private:
    void wireWindowControls();
    void afterTargetTask();
    void readSettings();
    void storeSettings();
};

}  // namespace app
