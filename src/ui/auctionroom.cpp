#include "ui/auctionroom.h"

#include "core/auction.h"

namespace marvesto {

AuctionRoom::AuctionRoom(Auction &auction, QMdiArea &area, QObject *parent)
    : ChildWindow(design::auctionRoom(), area, parent), m_auction(auction)
{
    setObjectName(QStringLiteral("auctionRoom"));
    bind(m_logView, "logView");
    bind(m_priceLineEdit, "priceLineEdit");
    bind(m_bidButton, "bidButton");
    showLog(m_logView, auction);
    mirror(&auction, &Auction::priceChanged,
           [this] { priceLineEdit()->setText(m_auction.price()); });
    mirror(&auction, &Auction::canBidChanged,
           [this] { bidButton()->setEnabled(m_auction.canBid()); });
}

void AuctionRoom::wireControls()
{
    connect(bidButton(), &QPushButton::clicked, &m_auction, &Auction::bid);
}

void AuctionRoom::onLoad()
{
    // Only Enter and Alt+G press the bid button.
    putOutOfView(bidButton());
}

} // namespace marvesto
