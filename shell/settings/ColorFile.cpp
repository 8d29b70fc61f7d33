#include "shell/settings/ColorFile.h"

namespace settings {

namespace {
const QString kColorSection = QStringLiteral("Color");
const QString kFontSection = QStringLiteral("Font");
const QString kCount = QStringLiteral("count");
// The main window has a few hundred controls, one entry each at most; a larger "count" comes
// from a damaged file and must not stall the start.
constexpr int kMaxEntries = 1000;

QString numbered(const char* key, int i)
{
    return QLatin1String(key) + QString::number(i);
}
}  // namespace

int ColorFile::entryCount(const QString& section) const
{
    return qBound(0, m_ini.readInteger(section, kCount, 0), kMaxEntries);
}

std::vector<StoredColor> ColorFile::colors() const
{
    std::vector<StoredColor> entries;
    const int count = entryCount(kColorSection);
    for (int i = 1; i <= count; ++i)
        entries.push_back({m_ini.readString(kColorSection, numbered("name", i), QString()),
                           m_ini.readInteger(kColorSection, numbered("color", i), ui::colors::BtnFace)});
    return entries;
}

std::vector<StoredFont> ColorFile::fonts() const
{
    std::vector<StoredFont> entries;
    const int count = entryCount(kFontSection);
    for (int i = 1; i <= count; ++i)
        entries.push_back({m_ini.readString(kFontSection, numbered("name", i), QString()),
                           m_ini.readString(kFontSection, numbered("fontname", i), QStringLiteral("Arial")),
                           m_ini.readInteger(kFontSection, numbered("fontcolor", i), ui::colors::Black),
                           m_ini.readInteger(kFontSection, numbered("fontsize", i), 8)});
    return entries;
}

int ColorFile::entryFor(const QString& section, const QString& control)
{
    const int count = entryCount(section);
    for (int i = 1; i <= count; ++i)
        if (m_ini.readString(section, numbered("name", i), QStringLiteral("-")).compare(control, Qt::CaseInsensitive) == 0)
            return i;
    const int added = count + 1;
    return added <= kMaxEntries && m_ini.writeInteger(section, kCount, added) ? added : 0;
}

bool ColorFile::storeColor(const QString& control, ui::Color color)
{
    const int i = entryFor(kColorSection, control);
    return i > 0 && m_ini.writeString(kColorSection, numbered("name", i), control)
           && m_ini.writeInteger(kColorSection, numbered("color", i), color);
}

bool ColorFile::storeFont(const QString& control, const ui::Font& font)
{
    const int i = entryFor(kFontSection, control);
    return i > 0 && m_ini.writeString(kFontSection, numbered("name", i), control)
           && m_ini.writeString(kFontSection, numbered("fontname", i), font.family)
           && m_ini.writeInteger(kFontSection, numbered("fontcolor", i), font.color)
           && m_ini.writeInteger(kFontSection, numbered("fontsize", i), font.pointSize);
}

bool ColorFile::removeAll()
{
    return m_ini.remove();
}

}  // namespace settings
