#pragma once

#include <QString>

#include <optional>

namespace marvesto {

// Amounts are typed and shown as text. These read and write them by the current
// locale's rules (QLocale()), and convert them to the 16-bit whole numbers some
// rules need.

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

// An amount the rules keep, such as the capital or a price: a number, or a
// text that reads as no number (a capital typed as words), which stays as it
// is. Its text is what the game shows.
class Amount {
public:
    // No amount yet: an empty text, no number.
    Amount() = default;
    // A number, written as the game writes amounts.
    explicit Amount(double value) : m_text(writeAmount(value)), m_number(value) {}
    // What the player typed, kept exactly as typed and read once, here.
    static Amount typed(const QString &text);

    bool isNumber() const { return m_number.has_value(); }
    std::optional<double> number() const { return m_number; }
    QString text() const { return m_text; }
    // The number moved by `amount` and written afresh; an amount that reads as
    // no number stays as it is.
    Amount plus(double amount) const { return m_number ? Amount(*m_number + amount) : *this; }

    bool operator==(const Amount &other) const { return m_text == other.m_text; }

private:
    QString m_text;
    std::optional<double> m_number;
};

} // namespace marvesto
