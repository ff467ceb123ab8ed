#pragma once

#include <QObject>

#include <memory>
#include <vector>

namespace marvesto {

class AuctionRoom;
class ChildWindow;
class ConsoleWindow;
class Game;
class GamePart;
class MainWindow;
class MarketWindow;
class Offer;
class OfferDialog;
class Pictures;
class WonBoxesWindow;

// The coordinator of the windows: it creates them, loads and unloads each with
// its part of the game, places them, and owns what spans windows: which
// windows an auction room or an offer locks, where the focus goes when one
// window hands over to another, the main window's menu and its backdrop.
class Desk : public QObject {
    Q_OBJECT
public:
    Desk(Game &game, MainWindow &mainWindow, const Pictures &pictures, QObject *parent = nullptr);
    ~Desk() override;

    MarketWindow &marketWindow() { return *m_market; }
    ConsoleWindow &consoleWindow() { return *m_console; }
    AuctionRoom &auctionRoom() { return *m_auction; }
    WonBoxesWindow &wonBoxesWindow() { return *m_wonBoxes; }
    // Offer dialogs that are open, oldest first.
    std::vector<OfferDialog *> offerDialogs() const;

    // Starts the game, then shows the backdrop.
    void start();
    // Stretches the backdrop over the main window's area as it now is.
    void stretchBackdrop();

private:
    void follow(ChildWindow &window, GamePart &part);
    void addOfferDialog(Offer *offer);
    QString backdropPath() const;

    Game &m_game;
    MainWindow &m_mainWindow;
    const Pictures &m_pictures;
    std::unique_ptr<MarketWindow> m_market;
    std::unique_ptr<ConsoleWindow> m_console;
    std::unique_ptr<AuctionRoom> m_auction;
    std::unique_ptr<WonBoxesWindow> m_wonBoxes;
};

} // namespace marvesto
