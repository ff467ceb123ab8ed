#pragma once

#include "core/boxlistpart.h"

#include <QStringList>

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

    // Its lines read "Box numero:N - Prezzo:P €".

    // The price last read from a line, as text.
    QString priceText() const { return m_priceText; }

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

    // The row of this line, looked for first at `position`; -1 when it has gone.
    int rowOf(const QString &line, int position) const;

signals:
    void priceTextChanged();
    // An opened box: its price as its line reads and as a number, and the
    // value of its contents.
    void boxOpened(const QString &paidText, double paid, double value);
    // A buyer offers the price read from this line plus `extra`.
    void buyerCame(const QString &line, int position, const QString &priceText, int extra);

protected:
    void reset() override;

private:
    void setPriceText(const QString &text);

    Random &m_random;
    CuePlayer &m_cues;
    Timer &m_offerTimer;
    QString m_priceText;
    std::vector<Offer *> m_openOffers;
};

} // namespace marvesto
