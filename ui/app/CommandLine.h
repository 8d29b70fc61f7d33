#pragma once
// zta-monitor's command line: --help and --version answered on the terminal, before any
// window or display is needed. Qt's own options (-platform, -style, ...) are left to Qt.
#include <optional>

namespace cli {

// The exit code when the command line asked for information only; nothing when the
// program is to run.
std::optional<int> answerInformationOptions(int argc, char** argv);

}  // namespace cli
