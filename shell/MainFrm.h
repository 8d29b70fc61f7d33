#pragma once
// The main window: it owns the two line connections, the dialogs and every program-wide
// value, and wires the operator's controls to the parts of the program that handle them.
#include "bench/BenchDispatcher.h"
#include "bench/BenchState.h"
#include "bench/ImrAutomaton.h"
#include "bench/ModuleDescriptor.h"
#include "bench/ModuleDiscovery.h"
#include "link/CanalFrm.h"
#include "link/LinkConnections.h"
#include "link/MBComMaster.h"
#include "meter/MProFrm.h"
#include "meter/MeterDispatcher.h"
#include "meter/MeterSelection.h"
#include "meter/MeterWindows.h"
#include "modes/CalcFrm.h"
#include "shell/TargetTask.h"
#include "ui/forms/MainForm.h"

#include <functional>
#include <memory>

namespace shell {

// Makes the communication server component of one line ("bench" or "meter").
using ServerFactory = std::function<std::unique_ptr<comm::MBComMaster>(const char* line)>;

class TMainFrm {
public:
    explicit TMainFrm(const ServerFactory& makeServer, comm::PortSource ports = comm::availablePorts);
    ~TMainFrm();  // stores the window's settings
    TMainFrm(const TMainFrm&) = delete;
    TMainFrm& operator=(const TMainFrm&) = delete;

    ui::forms::MainForm form;
    std::unique_ptr<comm::MBComMaster> MBCM;
    std::unique_ptr<comm::MBComMaster> MBCM1;
    bench::Modules modules;
    bench::BenchState bench;
    meter::TPribor Pribor;
    int PriborType = -1;
    int TargetTask = 0;
    bool OldBench = false;
    QChar DecSep;

    TSysFrm SysFrm;
    comm::TCanalFrm CanalFrm;
    meter::TMProFrm MProFrm;
    modes::TcalcFrm calcFrm;
    meter::MeterWindows meterWindows;
    comm::LinkConnections links;
    bench::ModuleDiscovery discovery;
    bench::BenchDispatcher benchDispatcher;
    bench::ImrAutomaton imr;
    meter::MeterSelection meterSelection;
    meter::MeterDispatcher meterDispatcher;

    void SpeedButton1Click();
    void StatusBarMouseDown(Qt::MouseButton button, bool shift);
    void BBnTargerClick();
    void mnuServicePagesClick();

private:
    void afterTargetTask();
    void readSettings();
    void storeSettings();
};

}  // namespace shell
