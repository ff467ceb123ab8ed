#pragma once

#include "ui/toolkit/childwindow.h"

namespace marvesto {

class Auction;

// The auction room's window: the log of bids, the hidden price field and the
// bid button (out of view: Enter and Alt+G press it).
class AuctionRoom : public ChildWindow {
    Q_OBJECT
public:
    AuctionRoom(Auction &auction, QMdiArea &area, QObject *parent = nullptr);

    // The controls while the window is loaded, else null.
    LogView *logView() const { return m_logView; }
    QLineEdit *priceLineEdit() const { return m_priceLineEdit; }
    QPushButton *bidButton() const { return m_bidButton; }

protected:
    void wireControls() override;
    void onLoad() override;

private:
    Auction &m_auction;
    LogView *m_logView = nullptr;
    QLineEdit *m_priceLineEdit = nullptr;
    QPushButton *m_bidButton = nullptr;
};

} // namespace marvesto
