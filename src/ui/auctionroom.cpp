#include "ui/auctionroom.h"

#include "core/auction.h"

namespace marvesto {

AuctionRoom::AuctionRoom(Auction &auction, QMdiArea &area, QObject *parent)
    : ChildWindow(design::auctionRoom(), area, parent), m_auction(auction)
{
    setObjectName(QStringLiteral("auctionRoom"));
    connect(&auction, &Auction::logChanged, this, [this] {
        if (isLoaded())
            logView()->showText(m_auction.log());
    });
    connect(&auction, &Auction::logFollowed, this, [this] {
        if (isLoaded())
            logView()->moveCaretToEnd();
    });
    connect(&auction, &Auction::priceChanged, this, [this] {
        if (isLoaded())
            priceLineEdit()->setText(m_auction.price());
    });
    connect(&auction, &Auction::canBidChanged, this, [this] {
        if (isLoaded())
            bidButton()->setEnabled(m_auction.canBid());
    });
}

void AuctionRoom::wireControls()
{
    logView()->setText(m_auction.log());
    priceLineEdit()->setText(m_auction.price());
    bidButton()->setEnabled(m_auction.canBid());
    connect(bidButton(), &QPushButton::clicked, &m_auction, &Auction::bid);
}

void AuctionRoom::onLoad()
{
    // Only Enter and Alt+G press the bid button.
    bidButton()->move(bidButton()->x(), design::toPixels(-20000));
}

bool AuctionRoom::onEscape()
{
    emit escapePressed();
    return true;
}

} // namespace marvesto
