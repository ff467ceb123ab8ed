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

    LogView *logView() const { return control<LogView>("logView"); }
    QLineEdit *priceLineEdit() const { return control<QLineEdit>("priceLineEdit"); }
    QPushButton *bidButton() const { return control<QPushButton>("bidButton"); }

signals:
    void escapePressed();

protected:
    void wireControls() override;
    void onLoad() override;
    bool onEscape() override;

private:
    Auction &m_auction;
};

} // namespace marvesto
