// libFuzzer target for the amounts as text: any text either reads as a finite
// number that writes back to itself, or reads as nothing; whole numbers follow
// std::nearbyint within 16 bits. Built and run by scripts/fuzz.sh.
#include "core/amounts.h"

#include <QLocale>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace marvesto;

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort(); // libFuzzer keeps the input that got here
}

void checkWhole(double value)
{
    const auto whole = toInt16(value);
    const double nearest = std::nearbyint(value);
    if (std::isfinite(value) && nearest >= -32768 && nearest <= 32767)
        require(whole && *whole == nearest);
    else
        require(!whole);
}

void checkRoundTrip(double value)
{
    const auto back = readAmount(writeAmount(value));
    require(back && *back == value); // -0 comes back as 0, which compares equal
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Separators, signs and digits of several kinds: Italian groups, the
    // Swedish U+2212 minus, Persian digits, Hebrew direction marks, Indian groups.
    static const QLocale locales[] = {QLocale::c(),
                                      QLocale(QLocale::Italian),
                                      QLocale(QLocale::Swedish, QLocale::Sweden),
                                      QLocale(QLocale::Persian, QLocale::Iran),
                                      QLocale(QLocale::Hebrew, QLocale::Israel),
                                      QLocale(QLocale::Hindi, QLocale::India)};
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    // The first eight bytes also make a double, to reach values no text gives.
    double bits = 0;
    if (size >= sizeof bits)
        std::memcpy(&bits, data, sizeof bits);

    for (const QLocale &locale : locales) {
        QLocale::setDefault(locale);
        const auto value = readAmount(text);
        if (value) {
            require(std::isfinite(*value));
            checkRoundTrip(*value);
            checkWhole(*value);
        }
        require(toInt16(text) == (value ? toInt16(*value) : std::nullopt));
        if (size >= sizeof bits) {
            checkWhole(bits);
            if (std::isfinite(bits))
                checkRoundTrip(bits);
        }
    }
    return 0;
}
