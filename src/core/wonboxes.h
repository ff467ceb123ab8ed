#pragma once

#include "core/boxlistpart.h"

#include <QStringList>

#include <vector>

namespace marvesto {

class Console;
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

    WonBoxes(Clock &clock, Random &random, CuePlayer &cues, Console &console,
             QObject *parent = nullptr);

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

    // Offers whose dialog is open, oldest first.
    std::vector<Offer *> openOffers() const;
    void closeOffers();

signals:
    void priceTextChanged();
    void offerMade(Offer *offer);

protected:
    void reset() override;

private:
    void setPriceText(const QString &text);

    Random &m_random;
    CuePlayer &m_cues;
    Console &m_console;
    Timer &m_offerTimer;
    QString m_priceText;
};

} // namespace marvesto
