#include "core/boxlines.h"

#include <QCoreApplication>

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

// The labels of a box's lines. A won box's line keeps the first 14 characters
// of the auction's log, which starts with the market line: a translation of
// "Box numero:" keeps its 11 characters, so that the box's number comes along
// whole. The price is read back from after the last colon.
QString label(const char *text)
{
    return QCoreApplication::translate("BoxLines", text);
}

} // namespace

QString marketLine(int number, QChar letter, int price)
{
    return label(QT_TRANSLATE_NOOP("BoxLines", "Box numero:")) + QString::number(number)
        + label(QT_TRANSLATE_NOOP("BoxLines", " - Nome Asta:")) + letter
        + label(QT_TRANSLATE_NOOP("BoxLines", " - Prezzo:")) + QString::number(price) + kEuro;
}

QString wonBoxLine(const QString &auctionLog, const QString &priceText)
{
    return auctionLog.left(14) + label(QT_TRANSLATE_NOOP("BoxLines", " Prezzo:")) + priceText
        + kEuro;
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
