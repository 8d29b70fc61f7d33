#pragma once
// The channel dialog: edits the serial settings of one Modbus line at a time and holds the
// working copy of the settings that the connect commands read.
#include "link/PortList.h"
#include "shell/settings/ChannelSettings.h"
#include "ui/forms/CanalForm.h"

#include <QString>
#include <QVector>

namespace shell {

class TCanalFrm {
public:
    explicit TCanalFrm(comm::PortSource ports = comm::availablePorts);

    ui::forms::CanalForm form;

    // The settings section of the current line: "ZTA", or "PRIBOR"/"Pribor" for the meter.
    QString TitleP;
    QString VarCPort = QStringLiteral("COM1");
    int varCSpeed = 0;
    int varCLink = 0;
    int varCInterval = 20;
    int varAnsDel = 500;
    int varRet = 5;
    QVector<int> ComPortsArray;
    bool flagsh = false;

    // Reads the section TitleP of ZTA.ini into the fields (defaults when the file is missing).
    void readSettings();
    // Shows the dialog when hidden, hides it when shown.
    void toggle();
    // The bench line's dialog offers RS485 only until the meter line's was opened once.
    void presetLinkType(int linkType);
    void enableLinkChoice() { form.RgrLink.setEnabled(true); }

    void btnUseClick();
    void btnCancelClick();

private:
    void setFields(const settings::ChannelSettings& s);
    void fillPortList();
    void onShow();

    comm::PortSource m_ports;
    QString m_shownFor;  // the section the dialog was opened for
};

}  // namespace shell
