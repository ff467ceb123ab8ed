#pragma once

#include "core/amounts.h"
#include "core/boxlistpart.h"

#include <vector>

namespace marvesto {

class CuePlayer;
class Offer;
class Random;

// The boxes the player has won: opening one appraises its contents, and
// after each console command a buyer may make an offer for one of them.
class WonBoxes : public BoxListPart {
    Q_OBJECT
public:
    // The contents are worth 1..(price paid + kAppraisalMargin), drawn twice.
    static constexpr int kAppraisalMargin = 9999;
    // One look for a buyer, as soon as the clock allows after a command.
    static constexpr int kOfferCheckMs = 1;
    // A buyer comes when a draw of 1..30 is under 5, and adds 1..50 to the price.
    static constexpr int kOfferDrawHighest = 30;
    static constexpr int kOfferBelow = 5;
    static constexpr int kHighestExtra = 50;

    WonBoxes(Clock &clock, Random &random, CuePlayer &cues, QObject *parent = nullptr);

    // The price of the box last opened or offered, as the window shows it.
    QString priceText() const { return m_price.text(); }

    // Opens the box at this position (-1: none chosen) and appraises it;
    // false when there was none to open.
    bool openBox(int position);

    // The next tick of the offer timer looks for a buyer. Its timer belongs
    // to the won boxes: they open if they were closed.
    void armOfferCheck();
    void lookForBuyer();
    Timer &offerTimer() { return m_offerTimer; }

    // Offers whose dialog is open, oldest first: each is counted from its
    // opening to its closing. While one is open no buyer comes.
    std::vector<Offer *> openOffers() const { return m_openOffers; }
    void offerOpened(Offer *offer);
    void offerClosed(Offer *offer);

    // The row of this box, looked for first at `position`; -1 when it has gone.
    // Boxes whose lines read the same are the same to the player.
    int rowOf(const Box &box, int position) const;

signals:
    void priceTextChanged();
    // An opened box: the price paid for it and the value of its contents.
    void boxOpened(double paid, double value);
    // A buyer offers the price of the box at this position plus `extra`.
    void buyerCame(const Box &box, int position, int extra);

protected:
    void reset() override;
    // "Box numero:N - Prezzo:P €"
    QString lineOf(const Box &box) const override;

private:
    void setPrice(const Amount &price);

    Random &m_random;
    CuePlayer &m_cues;
    Timer &m_offerTimer;
    Amount m_price;
    std::vector<Offer *> m_openOffers;
};

} // namespace marvesto
