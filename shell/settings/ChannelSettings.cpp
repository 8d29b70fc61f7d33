#include "shell/settings/ChannelSettings.h"

#include <array>

namespace settings {

namespace {
constexpr std::array<int, 5> kBauds{19200, 9600, 4800, 2400, 1200};
}

int baudOfSpeedIndex(int index)
{
    return index >= 0 && index < int(kBauds.size()) ? kBauds[index] : kBauds[0];
}

int speedIndexOfBaud(int baud)
{
    for (int i = 0; i < int(kBauds.size()); ++i)
        if (kBauds[i] == baud)
            return i;
    return 0;
}

ChannelSettings ChannelSettings::read(const IniFile& ini, const QString& section)
{
    ChannelSettings s;
    if (!ini.exists())
        return s;
    s.port = ini.readString(section, QStringLiteral("Comm Port"), s.port);
    s.speedIndex = speedIndexOfBaud(ini.readInteger(section, QStringLiteral("Baud Rate"), 19200));
    s.linkType = ini.readInteger(section, QStringLiteral("Link Type"), s.linkType);
    s.interval = ini.readInteger(section, QStringLiteral("Interval"), s.interval);
    s.answerDelay = ini.readInteger(section, QStringLiteral("Receive Delay"), s.answerDelay);
    s.retries = ini.readInteger(section, QStringLiteral("Error Retriers"), s.retries);
    return s;
}

void ChannelSettings::write(IniFile& ini, const QString& section) const
{
    ini.writeString(section, QStringLiteral("Comm Port"), port);
    ini.writeInteger(section, QStringLiteral("Interval"), interval);
    ini.writeInteger(section, QStringLiteral("Baud Rate"), baudOfSpeedIndex(speedIndex));
    ini.writeInteger(section, QStringLiteral("Link Type"), linkType);
    ini.writeInteger(section, QStringLiteral("Receive Delay"), answerDelay);
    ini.writeInteger(section, QStringLiteral("Error Retriers"), retries);
}

}  // namespace settings
