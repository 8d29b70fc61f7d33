#pragma once
// The two serial lines of an end-to-end test: the built-in simulator on pseudo-terminals, or the
// ports named by ZTA_BENCH_PORT and ZTA_METER_PORT (another bench emulation or real hardware),
// and the channel settings that point the program at them.
#include "shell/settings/ChannelSettings.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"
#include "sim/Simulator.h"

#include <QTemporaryDir>

#include <memory>

namespace test {

struct PtyLines {
    explicit PtyLines(sim::Options options = {})
    {
        benchPort = qEnvironmentVariable("ZTA_BENCH_PORT");
        meterPort = qEnvironmentVariable("ZTA_METER_PORT");
        if (external())
            return;
        options.directory = simDir.path();
        simulator = std::make_unique<sim::Simulator>(options);
        QString error;
        if (!simulator->start(&error))
            qWarning("simulator did not start: %s", qPrintable(error));
        if (benchPort.isEmpty())
            benchPort = simulator->benchPort();
        if (meterPort.isEmpty())
            meterPort = simulator->meterPort();
    }
    static bool external() { return qEnvironmentVariableIsSet("ZTA_BENCH_PORT") && qEnvironmentVariableIsSet("ZTA_METER_PORT"); }

    // Settings in a directory of their own, with both lines' channels on these ports and the
    // protocol archive there too.
    void pointSettingsAtThem(const QString& settingsDir) const
    {
        settings::setSettingsDirectory(settingsDir);
        settings::IniFile ini(settings::ztaIniPath());
        settings::ChannelSettings channel;
        channel.answerDelay = 200;
        channel.retries = 1;
        channel.port = benchPort;
        channel.write(ini, "ZTA");
        channel.port = meterPort;
        channel.write(ini, "PRIBOR");
        ini.writeString(QStringLiteral("Archive"), QStringLiteral("File"), settingsDir + QStringLiteral("/archive.sqlite"));
    }

    QTemporaryDir simDir;
    std::unique_ptr<sim::Simulator> simulator;  // none when both ports are given
    QString benchPort;
    QString meterPort;
};

}  // namespace test
