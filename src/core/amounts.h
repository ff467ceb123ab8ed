#pragma once

#include <QString>

#include <optional>

namespace marvesto {

// Amounts travel as text. These read and write them by the current locale's rules
// (QLocale()), and convert them to the 16-bit whole numbers some rules need.

// A number as the game writes it (ASCII digits and sign, the locale's decimal
// separator), or as the locale writes one: its digits, signs and correctly
// placed group separators. Blanks around are allowed; exponents, "inf", "nan"
// and currency signs are not numbers.
std::optional<double> readAmount(const QString &text);

// Plain decimal in ASCII digits under every locale: digits only for a whole
// value, "-" when negative, no grouping, the locale's decimal separator.
// Round-trips through readAmount for every finite value.
QString writeAmount(double value);

// Nearest whole number with halves to even; fails outside -32768..32767 and for
// NaN and infinities.
std::optional<qint16> toInt16(double value);
std::optional<qint16> toInt16(const QString &text);

} // namespace marvesto
