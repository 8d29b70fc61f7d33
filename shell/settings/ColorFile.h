#pragma once
// color.ini: the operator's colour and font changes of the main window's controls, one entry
// per control name in each of the sections "Color" and "Font" (keys "count", "name"+i, ...).
#include "shell/settings/IniFile.h"
#include "ui/model/Style.h"

#include <vector>

namespace settings {

struct StoredColor {
    QString control;
    ui::Color color;
};

// The style is not kept: only family, colour and size.
struct StoredFont {
    QString control;
    QString family;
    ui::Color color;
    int pointSize;
};

class ColorFile {
public:
    explicit ColorFile(QString path) : m_ini(std::move(path)) {}

    const QString& path() const { return m_ini.path(); }

    // Every entry up to "count"; entries beyond the ones present read with empty names.
    std::vector<StoredColor> colors() const;
    std::vector<StoredFont> fonts() const;

    // Replaces the control's entry or appends one. False when the file could not be written.
    bool storeColor(const QString& control, ui::Color color);
    bool storeFont(const QString& control, const ui::Font& font);

    // Deletes the whole file; true when no entries are left.
    bool removeAll();

private:
    // "count" of the section, as far as it can be meant.
    int entryCount(const QString& section) const;
    // The number of the control's entry in the section; a new entry raises "count".
    // Zero when the new count could not be written or the section is full.
    int entryFor(const QString& section, const QString& control);

    IniFile m_ini;
};

}  // namespace settings
