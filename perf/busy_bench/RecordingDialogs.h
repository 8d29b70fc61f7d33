#pragma once
// The dialogs of an unattended run: every message is kept for the report, every question
// is answered No and every modal form is left at once.
#include "ui/model/Dialogs.h"

#include <QStringList>

namespace perf {

class RecordingDialogs : public ui::Dialogs {
public:
    RecordingDialogs() { ui::Dialogs::install(this); }
    ~RecordingDialogs() override { ui::Dialogs::install(nullptr); }
    RecordingDialogs(const RecordingDialogs&) = delete;
    RecordingDialogs& operator=(const RecordingDialogs&) = delete;

    void message(const QString& text, ui::Icon, const QString&) override { messages.append(text); }
    bool confirm(const QString& text, const QString&) override
    {
        messages.append(text);
        return false;
    }
    ui::ModalResult showModal(ui::Form&) override { return ui::ModalResult::Cancel; }
    std::optional<ui::Color> chooseColor(ui::Color) override { return std::nullopt; }
    std::optional<ui::Font> chooseFont(const std::optional<ui::Font>&) override { return std::nullopt; }
    QSize screenSize() const override { return {1280, 1024}; }
    void beep() override {}

    QStringList messages;
};

}  // namespace perf
