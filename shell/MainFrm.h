#pragma once
// The main window: it owns the two line connections, the dialogs and every program-wide
// value, and wires the operator's controls to the parts of the program that handle them.
#include "bench/ModuleDescriptor.h"
#include "link/CanalFrm.h"
#include "link/LinkConnections.h"
#include "link/MBComMaster.h"
#include "meter/MProFrm.h"
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
    bool OldBench = false;
    QChar DecSep;

    comm::TCanalFrm CanalFrm;
    meter::TMProFrm MProFrm;
    comm::LinkConnections links;

    void SpeedButton1Click();
    void StatusBarMouseDown(Qt::MouseButton button, bool shift);

private:
    void readSettings();
    void storeSettings();
};

}  // namespace shell
