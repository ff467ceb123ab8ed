#pragma once

#include <QString>

#include <optional>

namespace marvesto {

// Amounts travel as text. These read and write them by the current locale's rules
// (QLocale()), and convert them to the 16-bit whole numbers some rules need.

// An optionally signed decimal number with the locale's decimal separator and
// blanks around it; no exponent, no group separators, no currency sign.
std::optional<double> readAmount(const QString &text);

// Plain decimal: digits only for a whole value, "-" when negative, no grouping.
// Round-trips through readAmount for every finite value.
QString writeAmount(double value);

// Nearest whole number with halves to even; fails outside -32768..32767 and for
// NaN and infinities.
std::optional<qint16> toInt16(double value);
std::optional<qint16> toInt16(const QString &text);

} // namespace marvesto
