#pragma once

#include "core/amounts.h"
#include "core/box.h"
#include "core/logpart.h"

#include <QString>

namespace marvesto {

class CuePlayer;
class Random;

// The auction room: the player bids, the rivals answer a second later by
// raising or giving up, and three countdown steps after a raise lose the box.
class Auction : public LogPart {
    Q_OBJECT
public:
    static constexpr int kBidStep = 100;
    static constexpr int kRivalsAnswerMs = 1000;
    // The rivals' draw runs 1..20; from 17 on they give up.
    static constexpr int kRivalsDrawHighest = 20;
    static constexpr int kRivalsGiveUpFrom = 17;
    static constexpr int kHighestRaise = 300;
    static constexpr int kCountdownStepMs = 350;
    static constexpr int kCountdownToLose = 3;
    // The room closes itself this long after the auction ends.
    static constexpr int kClosingPauseMs = 3000;

    Auction(Clock &clock, Random &random, CuePlayer &cues, QObject *parent = nullptr);

    // Opens the room for this box from the market: the opening bid is made on
    // an empty price, then the log is replaced by the box's market line and
    // the price is the box's.
    void start(const Box &box);

    // The price as the room shows it; empty before the box is named.
    QString price() const { return m_price.text(); }

    bool canBid() const { return m_canBid; }
    // Countdown steps since the last raise; kept when the room reopens.
    qint16 countdown() const { return m_countdown; }

    Timer &rivalsTimer() { return m_rivalsTimer; }
    Timer &countdownTimer() { return m_countdownTimer; }
    Timer &closingTimer() { return m_closingTimer; }

    // The player's bid: the price goes up by kBidStep and the rivals answer.
    void bid();
    void rivalsAnswer();
    void countdownStep();
    void closeRoom();

signals:
    void priceChanged();
    void canBidChanged();
    // The auction is won: first the cost to charge (negative, or 0 for a price
    // that reads as no number), then the box at its final price.
    void charged(double cost);
    void won(const Box &box);

protected:
    void reset() override;
    // A new room bids at once, before the console names the box.
    void afterOpening() override { bid(); }

private:
    void win();
    void raisePrice(double amount);
    void setPrice(const Amount &price);
    void setCanBid(bool can);

    Random &m_random;
    CuePlayer &m_cues;
    Timer &m_closingTimer;
    Timer &m_countdownTimer;
    Timer &m_rivalsTimer;
    Box m_box;
    Amount m_price;
    bool m_canBid = true;
    qint16 m_countdown = 0;
};

} // namespace marvesto
