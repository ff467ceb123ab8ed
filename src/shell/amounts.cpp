#include "shell/amounts.h"

#include <QLocale>

#include <cmath>

namespace marvesto {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Checks the plain shape before QLocale converts: QLocale alone would also take
// exponents, "inf", "nan" and group separators.
bool hasPlainDecimalShape(const QString &s, QChar decimalPoint)
{
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < s.size() && isAsciiDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == decimalPoint) {
        ++i;
        while (i < s.size() && isAsciiDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    return digits > 0 && i == s.size();
}

} // namespace

std::optional<double> readAmount(const QString &text)
{
    const QString s = text.trimmed();
    QLocale locale;
    if (!hasPlainDecimalShape(s, locale.decimalPoint().front()))
        return std::nullopt;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(s, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString writeAmount(double value)
{
    if (value == 0)
        value = 0; // no "-0"
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', QLocale::FloatingPointShortest);
}

std::optional<qint16> toInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // default rounding: halves to even
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return static_cast<qint16>(rounded);
}

std::optional<qint16> toInt16(const QString &text)
{
    const auto value = readAmount(text);
    if (!value)
        return std::nullopt;
    return toInt16(*value);
}

} // namespace marvesto
