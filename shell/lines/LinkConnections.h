#pragma once
// Connecting and disconnecting the two Modbus lines from the main window, and how the
// window follows their connection state.
#include "shell/lines/CanalFrm.h"
#include "link/Line.h"
#include "ui/forms/MainForm.h"

#include <functional>

namespace shell {

class LinkConnections {
public:
    // What the lines' connection changes mean to other parts of the program; all required.
    struct Hooks {
        std::function<void()> hideMeterWindows;              // before the meter line goes down
        std::function<void()> restartMeterPolling;           // sent when the meter line comes up
        std::function<void(bool)> benchConnectedChanged;     // the defaults broadcast follows the bench line
    };

    // The lines' connected flags are written here only, from their connection events.
    LinkConnections(ui::forms::MainForm& form, TCanalFrm& canal, comm::Line& bench, comm::Line& meter, quint8& meterAddress,
                    Hooks hooks);

    bool FServerConnected() const { return m_benchLine.connected; }
    bool FPRiborConnected() const { return m_meterLine.connected; }

    // Attaches both connections to the server, as the window loads.
    void attachAll();

    void ConnectZTAExecute();
    void ConnectPribExecute();
    void btnCanalClick();
    void BBParamClick();
    void MBCMChangeConnected(bool connected);
    void MBCM1ChangeConnected(bool connected);

    // Reports the server as unreachable; false then. Every operation on a connection that
    // failed to attach tries again first.
    static bool ensureAttached(comm::MBComMaster& server);

private:
    void configure(comm::MBComMaster& server);
    void takeMeterAddress();

    ui::forms::MainForm& m_form;
    TCanalFrm& m_canal;
    comm::Line& m_benchLine;
    comm::Line& m_meterLine;
    comm::MBComMaster& m_bench;
    comm::MBComMaster& m_meter;
    quint8& m_meterAddress;
    Hooks m_hooks;
};

}  // namespace shell
