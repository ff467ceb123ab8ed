#include "core/amounts.h"

#include <QLocale>

#include <cmath>

namespace marvesto {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The game's own form: an optional ASCII sign, ASCII digits and at most one
// decimal separator of the locale.
bool hasPlainDecimalShape(const QString &s, const QString &decimalPoint)
{
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < s.size() && isAsciiDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (QStringView(s).mid(i).startsWith(decimalPoint)) {
        i += decimalPoint.size();
        while (i < s.size() && isAsciiDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    return digits > 0 && i == s.size();
}

// A conversion by the locale, when it succeeds with a finite value.
std::optional<double> toFinite(const QLocale &locale, const QString &s)
{
    bool ok = false;
    const double value = locale.toDouble(s, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Direction marks some locales put before a sign; they carry no meaning here.
QString withoutDirectionMarks(QString s)
{
    s.remove(QChar(0x200E)); // left-to-right mark
    s.remove(QChar(0x200F)); // right-to-left mark
    s.remove(QChar(0x061C)); // Arabic letter mark
    return s;
}

} // namespace

std::optional<double> readAmount(const QString &text)
{
    const QString s = text.trimmed();
    const QLocale locale;
    // What the game writes itself reads back exactly under every locale.
    if (hasPlainDecimalShape(s, locale.decimalPoint())) {
        QString c = s;
        c.replace(locale.decimalPoint(), QStringLiteral("."));
        return toFinite(QLocale::c(), c);
    }
    // Otherwise the locale's own number rules: its digits, signs and correctly
    // placed group separators; but no exponents, which no amount has.
    const QString plain = withoutDirectionMarks(s);
    if (plain.contains(u'e', Qt::CaseInsensitive)
        || plain.contains(locale.exponential(), Qt::CaseInsensitive))
        return std::nullopt;
    return toFinite(locale, plain);
}

QString writeAmount(double value)
{
    if (value == 0)
        value = 0; // no "-0"
    // ASCII digits and "-" under every locale; the locale gives only the
    // decimal separator. 'f' never groups digits in the C locale.
    QString text = QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
    const QString decimalPoint = QLocale().decimalPoint();
    if (decimalPoint != QStringLiteral("."))
        text.replace(u'.', decimalPoint);
    return text;
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

Amount Amount::typed(const QString &text)
{
    Amount amount;
    amount.m_text = text;
    amount.m_number = readAmount(text);
    return amount;
}

} // namespace marvesto
