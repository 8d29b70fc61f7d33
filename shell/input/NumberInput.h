#pragma once
// Reading numbers the operator typed, and the key filters of number fields. A text that is
// not a number throws ui::UserError with one message form used everywhere:
// "«abc» не является целым числом" or "«abc» не является числом".
#include <QChar>
#include <QString>

namespace input {

// Key filter of integer fields: digits, '-' and backspace survive; anything else becomes
// QChar(0), which swallows the key.
void edtInt(QChar& key);
// Key filter of decimal fields: as edtInt plus ',' and '.', both turned into the platform's
// decimal separator.
void edtFloat(QChar& key);
// Any character that is not a digit or '-' or backspace (or Enter, which handlers of number
// fields use to apply a value) is swallowed.
void edtIntWithEnter(QChar& key);

// A whole decimal number, optional sign, surrounding blanks allowed.
int StrToInt(const QString& text);
// A decimal number with the platform's separator only.
double StrToFloat(const QString& text);
// A decimal number typed with either separator: the first occurrence of the other separator
// is taken as the platform's one; later ones make the text invalid.
double AnySepStrToFloat(const QString& text);

QString notAnInteger(const QString& text);
QString notANumber(const QString& text);

}  // namespace input
