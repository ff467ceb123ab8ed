#include "core/boxlines.h"

#include "core/amounts.h"

#include <QCoreApplication>

namespace marvesto {

namespace {

const QString kEuro = QStringLiteral(" \u20AC");

// The labels of a box's lines. A won box's line keeps the first 14 characters
// of the market line: a translation of "Box numero:" keeps its 11 characters,
// so that the box's number comes along whole.
QString label(const char *text)
{
    return QCoreApplication::translate("BoxLines", text);
}

} // namespace

QString marketLine(const Box &box)
{
    return label(QT_TRANSLATE_NOOP("BoxLines", "Box numero:")) + QString::number(box.number)
        + label(QT_TRANSLATE_NOOP("BoxLines", " - Nome Asta:")) + box.letter
        + label(QT_TRANSLATE_NOOP("BoxLines", " - Prezzo:")) + QString::number(box.price) + kEuro;
}

QString wonBoxLine(const Box &box)
{
    return marketLine(box).left(14) + label(QT_TRANSLATE_NOOP("BoxLines", " Prezzo:"))
        + writeAmount(box.price) + kEuro;
}

} // namespace marvesto
