#include "core/boxlines.h"

namespace marvesto {

namespace {

const QString kEuro = QStringLiteral(" \u20AC");

bool isDigits(const QString &s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace

QString marketLine(int number, QChar letter, int price)
{
    return QStringLiteral("Box numero:") + QString::number(number) + QStringLiteral(" - Nome Asta:")
        + letter + QStringLiteral(" - Prezzo:") + QString::number(price) + kEuro;
}

QString wonBoxLine(const QString &auctionLog, const QString &priceText)
{
    return auctionLog.left(14) + QStringLiteral(" Prezzo:") + priceText + kEuro;
}

QString priceOfLastSeven(const QString &line)
{
    QString price = line.right(7);
    price.remove(kEuro);
    price.remove(u':');
    return price.trimmed();
}

QString priceOfWonBox(const QString &line)
{
    const qsizetype colon = line.lastIndexOf(u':');
    if (colon >= 0 && line.endsWith(kEuro)) {
        const QString between =
            line.mid(colon + 1, line.size() - kEuro.size() - colon - 1).trimmed();
        if (isDigits(between))
            return between;
    }
    return priceOfLastSeven(line);
}

} // namespace marvesto
