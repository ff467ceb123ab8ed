#pragma once

#include "core/auction.h"
#include "core/console.h"
#include "core/cues.h"
#include "core/gameclock.h"
#include "core/market.h"
#include "core/offer.h"
#include "core/services.h"
#include "core/wonboxes.h"

#include <QObject>

namespace marvesto {

// One run of the game: its parts, the start with the player's prompts, a new
// game, the end, and the bankruptcy watch.
class Game : public QObject {
    Q_OBJECT
public:
    static inline const QString kTitle = QStringLiteral("Marvesto");

    explicit Game(const Services &services, QObject *parent = nullptr);

    const Services &services() const { return m_services; }
    Console &console() { return m_console; }
    Market &market() { return m_market; }
    Auction &auction() { return m_auction; }
    WonBoxes &wonBoxes() { return m_wonBoxes; }
    CuePlayer &cues() { return m_cues; }
    // The game's time: pause and speed.
    GameClock &time() { return m_time; }

    // Opens the game's windows and asks for the name and the capital.
    void start();
    // Closes every window, opens the game's ones again and asks again.
    void newGame();
    void exit();
    void showAbout();
    void setSoundOn(bool on) { m_cues.setOn(on); }

    // Asks for the name and capital and starts the console afresh.
    void askPlayer(const QString &capitalTitle);

    // One tick of the bankruptcy watch.
    void watchTick();
    // Something the watch reads has changed: it looks again at its next tick.
    void noteChange();
    // Closes every offer that is open.
    void closeOffers();
    bool inBankruptcySequence() const { return m_inBankruptcy; }
    bool hasEnded() const { return m_ended; }

signals:
    // After the player's prompts have been answered.
    void gameStarted();
    // A buyer's offer, before it opens.
    void offerMade(Offer *offer);

private:
    void wireParts();
    void auctionBox(int position);
    void makeOffer(const Box &box, int position, int extra);
    void sellWonBox(const Box &box, int position, double amount);
    void openGameParts();
    bool isBankrupt() const;
    void runBankruptcySequence();
    void end();

    Services m_services;
    CuePlayer m_cues;
    GameClock m_time;
    Console m_console;
    Market m_market;
    WonBoxes m_wonBoxes;
    Auction m_auction;
    bool m_inBankruptcy = false;
    bool m_ended = false;
    bool m_watchDirty = true;
};

} // namespace marvesto
