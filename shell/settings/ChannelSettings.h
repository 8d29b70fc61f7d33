#pragma once
// The serial channel settings of one Modbus line as they are stored in ZTA.ini, section
// "ZTA" (bench line) or "PRIBOR" (meter line).
#include "shell/settings/IniFile.h"

#include <QString>

namespace settings {

struct ChannelSettings {
    QString port = QStringLiteral("COM1");
    int speedIndex = 0;  // 0 19200, 1 9600, 2 4800, 3 2400, 4 1200
    int linkType = 0;    // 0 RS232, 1 RS485
    int interval = 20;
    int answerDelay = 500;
    int retries = 5;

    static ChannelSettings read(const IniFile& ini, const QString& section);
    void write(IniFile& ini, const QString& section) const;
};

int baudOfSpeedIndex(int index);
// Any speed that is not one of the five reads as index 0 (19200).
int speedIndexOfBaud(int baud);

}  // namespace settings
