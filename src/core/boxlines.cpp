#include "core/boxlines.h"

#include "core/amounts.h"

namespace marvesto {

namespace {
const QString kEuro = QStringLiteral(" \u20AC");
}

QString marketLine(const Box &box)
{
    return QStringLiteral("Box numero:") + QString::number(box.number)
        + QStringLiteral(" - Nome Asta:") + box.letter + QStringLiteral(" - Prezzo:")
        + QString::number(box.price) + kEuro;
}

QString wonBoxLine(const Box &box)
{
    return marketLine(box).left(14) + QStringLiteral(" Prezzo:") + writeAmount(box.price) + kEuro;
}

} // namespace marvesto
