#include "ui/marketwindow.h"

#include "core/market.h"

#include <QAccessible>

namespace marvesto {

MarketWindow::MarketWindow(Market &market, QMdiArea &area, QObject *parent)
    : ChildWindow(design::marketWindow(), area, parent)
{
    setObjectName(QStringLiteral("marketWindow"));
    showLines("boxesList", market);
    connect(&market, &Market::boxOffered, this, [this](int position) {
        if (!isLoaded())
            return;
        // A player who browses the list with a screen reader keeps the line
        // they are on; otherwise the newest box is chosen.
        if (QAccessible::isActive() && boxesList()->hasFocus())
            return;
        selectRow(boxesList(), position);
    });
}

bool MarketWindow::onEscape()
{
    emit escapePressed();
    return true;
}

} // namespace marvesto
