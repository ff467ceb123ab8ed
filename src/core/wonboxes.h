#pragma once

#include "core/boxlistpart.h"

#include <QPointer>
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

    Clock &m_clock;
    Random &m_random;
    CuePlayer &m_cues;
    Console &m_console;
    Timer &m_offerTimer;
    QString m_priceText;
    std::vector<QPointer<Offer>> m_offers;
};

// A buyer's offer for one won box. Each offer is a new object, gone once
// its dialog closes.
class Offer : public GamePart {
    Q_OBJECT
public:
    // The buyer waits this long before giving up.
    static constexpr int kPatienceMs = 10000;

    Offer(Clock &clock, CuePlayer &cues, Console &console, WonBoxes &wonBoxes,
          QObject *parent = nullptr);

    // What the buyer says, line breaks as CR LF.
    QString text() const { return m_text; }
    // The price offered and the won box's position, as text.
    QString price() const { return m_price; }
    QString position() const { return m_position; }
    // The won-box line the offer is for, so that a sale finds its own box.
    QString offeredLine() const { return m_offeredLine; }
    Timer &patienceTimer() { return m_patienceTimer; }

    // Opens the offer for the line at this position.
    void make(const QString &line, int position, const QString &priceText, int extra);
    // Sells the box offered, if it is still there, and closes the offer.
    void accept();
    void refuse() { close(); }

signals:
    void textChanged();
    void textFollowed();
    void priceChanged();
    void positionChanged();
    // After the sale and the closing.
    void accepted();

protected:
    void reset() override;

private:
    int findOfferedRow() const;
    void setText(const QString &text);
    void setPrice(const QString &text);
    void setPosition(const QString &text);

    CuePlayer &m_cues;
    Console &m_console;
    WonBoxes &m_wonBoxes;
    Timer &m_patienceTimer;
    QString m_text;
    QString m_price;
    QString m_position;
    QString m_offeredLine;
};

} // namespace marvesto
