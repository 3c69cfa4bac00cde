#pragma once

// The text rules of the numeric edit fields, kept free of widgets so they can be tested alone.

#include <QChar>
#include <QString>
#include <cstdint>
#include <optional>

namespace qarn {

// Reads a decimal number leniently: signs may stand anywhere (the last one wins), ',' and '.'
// both start the fraction, and any other character makes the whole text unreadable, in which
// case `fallback` comes back. An empty text reads 0.
long double ParseDecimalText(const QString& text, long double fallback);

// Reads a whole text as a signed 32-bit integer: leading blanks, an optional sign, then decimal
// digits or a hexadecimal number after '$', 'x', 'X', '0x' or '0X'. Nothing may follow.
// Hexadecimal text holds a 32-bit pattern, so "$FFFFFFFF" reads -1.
std::optional<int32_t> ParseIntegerText(const QString& text);

// Float text formats: 0 general, 1 scientific, anything else fixed.
inline constexpr int kFloatTextGeneral = 0;
inline constexpr int kFloatTextExponent = 1;
inline constexpr int kFloatTextFixed = 2;

// Writes `value` rounded to `precision` significant digits (general, scientific) or to `digits`
// decimals (fixed), using `decimalSeparator`. Exact ties round away from zero.
QString FormatFloatText(long double value, int format, int precision, int digits,
                        QChar decimalSeparator);

// The decimal separator of the default locale (QLocale()).
QChar LocaleDecimalSeparator();

}  // namespace qarn
