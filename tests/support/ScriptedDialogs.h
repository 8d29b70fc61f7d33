#pragma once
// A dialog implementation for tests: it records every message, answers questions from a
// script and runs a scripted step when a form is shown modally.
#include "ui/model/Dialogs.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

namespace test {

class ScriptedDialogs : public ui::Dialogs {
public:
    ScriptedDialogs() { ui::Dialogs::install(this); }
    ~ScriptedDialogs() override { ui::Dialogs::install(nullptr); }

    void message(const QString& text, ui::Icon icon, const QString& caption) override
    {
        messages.append(text);
        icons.append(icon);
        captions.append(caption);
    }
    bool confirm(const QString& text, const QString&) override
    {
        questions.append(text);
        if (answers.empty())
            return false;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    // Runs the scripted step for the form (it should press a button that hides the form);
    // a form without a step is hidden with Cancel, as if the operator closed it.
    ui::ModalResult showModal(ui::Form& form) override
    {
        modalShown.append(form.name());
        form.modalResult = ui::ModalResult::None;
        form.show();
        if (onModal)
            onModal(form);
        if (form.isVisible()) {
            form.modalResult = ui::ModalResult::Cancel;
            form.hide();
        }
        return form.modalResult;
    }
    std::optional<ui::Color> chooseColor(ui::Color) override { return colorAnswer; }
    std::optional<ui::Font> chooseFont(const std::optional<ui::Font>& initial) override
    {
        fontOffered = initial;
        return fontAnswer;
    }
    // Answers with saveFileAnswer (none: cancelled) and keeps what was offered.
    std::optional<QString> chooseSaveFile(const QString& caption, const QString& suggestedName, const QString& filter) override
    {
        saveFileOffered.append({caption, suggestedName, filter});
        return saveFileAnswer;
    }
    QSize screenSize() const override { return screen; }
    void beep() override { ++beeps; }

    QString lastMessage() const { return messages.isEmpty() ? QString() : messages.last(); }
    void clear() { messages.clear(); icons.clear(); captions.clear(); questions.clear(); modalShown.clear(); }

    QStringList messages;
    QList<ui::Icon> icons;
    QStringList captions;
    QStringList questions;
    std::deque<bool> answers;
    std::function<void(ui::Form&)> onModal;
    QStringList modalShown;
    std::optional<ui::Color> colorAnswer;
    std::optional<ui::Font> fontAnswer;
    std::optional<ui::Font> fontOffered;
    struct SaveFileOffer {
        QString caption, suggestedName, filter;
    };
    QList<SaveFileOffer> saveFileOffered;
    std::optional<QString> saveFileAnswer;
    QSize screen{1920, 1080};
    int beeps = 0;
};

}  // namespace test
