#pragma once
// Colours and fonts as the form model stores them. Colours use the encoding of the
// colour settings file: red in the low byte, then green, then blue; negative values
// name system colours.
#include <QString>
#include <QtGlobal>

namespace ui {

using Color = qint32;

namespace colors {
inline constexpr Color Black = 0x000000;
inline constexpr Color Red = 0x0000FF;
inline constexpr Color Green = 0x008000;
inline constexpr Color Lime = 0x00FF00;
inline constexpr Color White = 0xFFFFFF;
inline constexpr Color Window = -16777211;   // system colour of window backgrounds
inline constexpr Color BtnFace = -16777201;  // system colour of button faces
inline constexpr Color WindowText = -16777208;
inline constexpr Color Default = WindowText; // "use the control's designed colour"
}  // namespace colors

inline constexpr bool isSystemColor(Color c) { return c < 0; }
inline constexpr int redOf(Color c) { return c & 0xFF; }
inline constexpr int greenOf(Color c) { return (c >> 8) & 0xFF; }
inline constexpr int blueOf(Color c) { return (c >> 16) & 0xFF; }
inline constexpr Color rgb(int r, int g, int b) { return Color(r | (g << 8) | (b << 16)); }

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

struct Font {
    QString family;          // empty: the platform's default family
    int pointSize = 0;       // 0: the platform's default size
    Color color = colors::Default;
    FontStyle style;
    friend bool operator==(const Font&, const Font&) = default;
};

enum class Bevel { None, Raised, Lowered };
enum class Alignment { Left, Center, Right };

}  // namespace ui
