#include "ui/marketwindow.h"

#include "core/market.h"

namespace marvesto {

MarketWindow::MarketWindow(Market &market, QMdiArea &area, QObject *parent)
    : ChildWindow(design::marketWindow(), area, parent)
{
    setObjectName(QStringLiteral("marketWindow"));
    showLines("boxesList", market);
    connect(&market, &Market::boxOffered, this, [this](int position) {
        if (isLoaded())
            selectRow(boxesList(), position);
    });
}

bool MarketWindow::onEscape()
{
    emit escapePressed();
    return true;
}

} // namespace marvesto
