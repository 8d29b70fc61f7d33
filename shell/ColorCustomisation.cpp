#include "shell/ColorCustomisation.h"

#include "shell/settings/SettingsLocation.h"
#include "ui/model/Dialogs.h"

namespace shell {

TColorSetup::TColorSetup(ui::forms::MainForm& form) : m_form(form)
{
    m_form.onMouseMove = [this](ui::Control* c) { mouseMoved(c); };
    m_form.N1.onClick = [this] { changeColour(); };
    m_form.N3.onClick = [this] { changeFont(); };
    m_form.N2.onClick = [this] { discardAll(); };
    applyStored();
}

TColorSetup::~TColorSetup()
{
    m_form.onMouseMove = nullptr;
    m_form.N1.onClick = nullptr;
    m_form.N3.onClick = nullptr;
    m_form.N2.onClick = nullptr;
}

// Labels, buttons and pages do not count: the last edit, panel or group box stays current.
void TColorSetup::mouseMoved(ui::Control* control)
{
    if (control && !control->isRecolourable())
        return;
    m_current = control;
    if (control)
        m_currentFont = control->font();
}

void TColorSetup::changeColour()
{
    if (!m_current)
        return;
    ui::Control* control = *m_current;
    const ui::Color now = control ? control->color() : m_form.color();
    const auto chosen = ui::dialogs().chooseColor(now == ui::colors::Default ? ui::colors::BtnFace : now);
    if (!chosen)
        return;
    // The window's own entry is stored but, unlike the controls', not applied at the next start.
    if (control)
        control->setColor(*chosen);
    else
        m_form.setColor(*chosen);
    settings::ColorFile file(settings::colorIniPath());
    file.storeColor(control ? control->name() : m_form.name(), *chosen);  // a failure is told by the file
}

void TColorSetup::changeFont()
{
    const auto chosen = ui::dialogs().chooseFont(m_currentFont);
    if (!chosen || !m_current || !*m_current)
        return;
    ui::Control* control = *m_current;
    control->setFont(*chosen);
    settings::ColorFile file(settings::colorIniPath());
    file.storeFont(control->name(), *chosen);
}

// What is on screen stays until the next start.
void TColorSetup::discardAll()
{
    settings::ColorFile file(settings::colorIniPath());
    if (!file.removeAll()) {
        ui::dialogs().message(QStringLiteral("Не удалось удалить файл ") + file.path(), ui::Icon::Error);
        return;
    }
    ui::dialogs().message(QStringLiteral("После рестарта программы значения будут возвращены"));
}

void TColorSetup::applyStored()
{
    const settings::ColorFile file(settings::colorIniPath());
    for (const settings::StoredColor& entry : file.colors())
        if (ui::Control* c = recolourable(entry.control))
            c->setColor(entry.color);
    for (const settings::StoredFont& entry : file.fonts())
        if (ui::Control* c = recolourable(entry.control)) {
            ui::Font font = c->font();
            font.color = entry.color;
            font.family = entry.family;
            font.pointSize = entry.pointSize;
            c->setFont(font);
        }
}

ui::Control* TColorSetup::recolourable(const QString& name) const
{
    if (name.isEmpty())
        return nullptr;
    ui::Control* c = m_form.find(name);
    return c && c->isRecolourable() ? c : nullptr;
}

}  // namespace shell
