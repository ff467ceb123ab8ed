#include "ui/marketwindow.h"

#include "core/market.h"

namespace marvesto {

MarketWindow::MarketWindow(Market &market, QMdiArea &area, QObject *parent)
    : ChildWindow(design::marketWindow(), area, parent), m_market(market)
{
    setObjectName(QStringLiteral("marketWindow"));
    connect(&market, &Market::lineAdded, this, [this](int position) {
        if (isLoaded())
            boxesList()->insertItem(position, m_market.line(position));
    });
    connect(&market, &Market::lineRemoved, this, [this](int position) {
        if (isLoaded())
            removeRow(boxesList(), position);
    });
    connect(&market, &Market::linesCleared, this, [this] {
        if (isLoaded())
            boxesList()->clear();
    });
    connect(&market, &Market::boxOffered, this, [this](int position) {
        if (isLoaded())
            selectRow(boxesList(), position);
    });
}

void MarketWindow::wireControls()
{
    boxesList()->addItems(m_market.lines());
}

bool MarketWindow::onEscape()
{
    emit escapePressed();
    return true;
}

} // namespace marvesto
