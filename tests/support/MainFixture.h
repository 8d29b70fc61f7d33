#pragma once
// The whole main window over fake lines, with its settings in a directory of its own: the
// fixture of the tests that drive the bench and meter logic through the window's controls.
#include "FakeComMaster.h"
#include "ScriptedDialogs.h"
#include "ui/app/MainFrm.h"
#include "shell/settings/IniFile.h"
#include "shell/settings/SettingsLocation.h"

#include <QTemporaryDir>

#include <cstring>
#include <functional>
#include <memory>

namespace test {

struct MainFixture {
    // prepare may write ZTA.ini before the window reads it.
    explicit MainFixture(const std::function<void(settings::IniFile&)>& prepare = {})
    {
        settings::setSettingsDirectory(dir.path());
        if (prepare) {
            settings::IniFile ini(settings::ztaIniPath());
            prepare(ini);
        }
        start();
    }

    // Closes the window (it stores its settings) and opens a new one on the same files.
    void restart()
    {
        main.reset();
        start();
    }

    ui::forms::MainForm& form() { return main->form; }
    settings::IniFile ini() const { return settings::IniFile(settings::ztaIniPath()); }

    QTemporaryDir dir;  // outlives the window, which stores its settings when destroyed
    ScriptedDialogs dialogs;
    FakeComMaster* bench = nullptr;
    FakeComMaster* meter = nullptr;
    std::unique_ptr<app::TMainFrm> main;

private:
    void start()
    {
        main = std::make_unique<app::TMainFrm>(
            [this](const char* line) {
                auto server = std::make_unique<FakeComMaster>();
                (std::strcmp(line, "bench") == 0 ? bench : meter) = server.get();
                return server;
            },
            [] { return QStringList{QStringLiteral("COM1")}; });
    }
};

}  // namespace test
