#pragma once

#include "doubles.h"

#include "core/game.h"
#include "core/offer.h"

#include <QTemporaryDir>

#include <memory>

namespace marvesto::test {

// The game's rules alone: the core with the virtual clock, scripted draws and
// answers, recorded cues and a program folder of its own. No window exists.
class CoreFixture {
public:
    CoreFixture();
    virtual ~CoreFixture();

    // Runs the start with these prompt answers.
    virtual void start(const QString &name = QStringLiteral("Tester"),
                       const QString &capital = QStringLiteral("50000"));
    // Moves time on, then lets objects closed meanwhile go.
    void advance(qint64 ms);
    // Delivers deferred deletions, as the event loop would.
    static void settle();

    // The command line run as the console's Enter does.
    void run(const QString &command);
    // Market lines added directly, for tests of what the console does with them.
    void fillMarket(int lines);
    // The box this won-box line shows.
    void addWonBox(const QString &line);

    Console &console() { return game->console(); }
    Market &market() { return game->market(); }
    Auction &auction() { return game->auction(); }
    WonBoxes &wonBoxes() { return game->wonBoxes(); }
    // The open offer, if any.
    Offer *offer();

    QString consoleText() { return console().log(); }
    QString capital() { return console().capital(); }

    QTemporaryDir folder;
    VirtualClock clock;
    ScriptedDialogs dialogs;
    ScriptedRandom random;
    RecordingSound sound;
    std::unique_ptr<FolderFiles> files;
    RecordingSession session;
    std::unique_ptr<Game> game;
};

// Set-ups that tests of either layer share.
// A started game with the market timer off and three lines for sale.
void withThreeLines(CoreFixture &f);
// A started game, market stopped, with these won boxes listed.
void withWonBoxes(CoreFixture &f, const QStringList &boxes,
                  const QString &capital = QStringLiteral("20000"));
// "Box numero:<number> - Prezzo:<price> €", a won box's line.
QString wonBox(int number, int price);
// The box a market or won-box line shows: its number, the letter after "Nome
// Asta:" ('A' when there is none) and the price after the last ":".
Box boxOf(const QString &line);
// Draws that make the buyer's next look offer the box at position (of count)
// for its price + extra; a chance of 5 or more makes no offer.
void scriptOffer(CoreFixture &f, int position, int count, int extra, int chance = 1);

} // namespace marvesto::test
