#pragma once
// Dialogs for rendering without an operator: messages go to stderr, questions are
// answered No, modal forms close at once.
#include "ui/model/Dialogs.h"

#include <cstdio>

namespace ui::qt {

class SilentDialogs : public Dialogs {
public:
    void message(const QString& text, Icon, const QString&) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    bool confirm(const QString&, const QString&) override { return false; }
    ModalResult showModal(Form&) override { return ModalResult::Cancel; }
    std::optional<Color> chooseColor(Color) override { return std::nullopt; }
    std::optional<Font> chooseFont(const std::optional<Font>&) override { return std::nullopt; }
    QSize screenSize() const override { return {1920, 1080}; }
    void beep() override {}
};

}  // namespace ui::qt
