#pragma once
// The program-wide context on two scripted lines, with settings in a directory of their own
// and scripted dialogs: the fixture base of the tests that build one window's controller
// without the main window.
#include "FakeComMaster.h"
#include "ScriptedDialogs.h"
#include "StatisticsProbe.h"
#include "shell/context/Context.h"
#include "shell/settings/SettingsLocation.h"
#include "ui/model/Form.h"

#include <QTemporaryDir>

namespace test {

struct FakeContext {
    FakeContext() { settings::setSettingsDirectory(dir.path()); }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ui::Form host{"host"};
    ui::StatusBar messageLine{&host, "SB", nullptr};
    StatisticsProbe statistics;
    FakeComMaster benchServer;
    FakeComMaster meterServer;
    shell::Context ctx{benchServer, meterServer, messageLine, statistics};
};

}  // namespace test
