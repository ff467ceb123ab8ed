#include "ui/marketwindow.h"

#include "core/market.h"

#include <QAccessible>

namespace marvesto {

MarketWindow::MarketWindow(Market &market, QMdiArea &area, QObject *parent)
    : ChildWindow(design::marketWindow(), area, parent)
{
    setObjectName(QStringLiteral("marketWindow"));
    bind(m_boxesList, "boxesList");
    showLines(m_boxesList, market);
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

} // namespace marvesto
