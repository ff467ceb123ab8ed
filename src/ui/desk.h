#pragma once

#include <QObject>
#include <QPointer>

#include <map>
#include <memory>
#include <vector>

namespace marvesto {

class Announcer;
class AuctionRoom;
class CaretRest;
class ChildWindow;
class ConsoleWindow;
class Game;
class GamePart;
class HowToPlay;
class MainWindow;
class MarketWindow;
class Offer;
class OfferDialog;
class Pictures;
class RecordsWindow;
class WonBoxesWindow;

// The coordinator of the windows: it creates them, loads and unloads each with
// its part of the game, places them, and owns what spans windows: which
// windows an auction room or an offer locks, where the focus goes when one
// window hands over to another, Ctrl+Tab and F6 from window to window, what a
// screen reader is told, the main window's menu and its backdrop.
class Desk : public QObject {
    Q_OBJECT
public:
    Desk(Game &game, MainWindow &mainWindow, const Pictures &pictures, QObject *parent = nullptr);
    ~Desk() override;

    MarketWindow &marketWindow() { return *m_market; }
    ConsoleWindow &consoleWindow() { return *m_console; }
    AuctionRoom &auctionRoom() { return *m_auction; }
    WonBoxesWindow &wonBoxesWindow() { return *m_wonBoxes; }
    // The dialogs of the offers open, oldest first.
    std::vector<OfferDialog *> offerDialogs() const;
    Announcer &announcer() { return *m_announcer; }
    // The "Record" window, once it has been opened.
    RecordsWindow *recordsWindow() const { return m_records; }
    // Opens the "Record" window beside the game, which goes on.
    void showRecords();
    CaretRest &caretRest() { return *m_caretRest; }
    // "Capitale: <capital> €, <n> box vinti", as the capital key tells it.
    QString capitalSummary() const;
    // "Come si gioca", once the player has opened it.
    HowToPlay *howToPlay() const;

    // Starts the game, then shows the backdrop.
    void start();
    // Stretches the backdrop over the main window's area as it now is.
    void stretchBackdrop();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The windows Ctrl+Tab and F6 visit, in their order: those open and not locked.
    std::vector<ChildWindow *> windowsInTurn() const;
    // The focus goes to the next window in turn (step 1) or the one before (-1).
    void turnWindow(int step);
    // A paused game takes no input in its windows, and says so.
    void showPaused(bool paused);
    void follow(ChildWindow &window, GamePart &part);
    void addOfferDialog(Offer *offer);
    // Opens "Come si gioca", or brings it to the front: the game goes on.
    void showHowToPlay();
    QString backdropPath() const;

    Game &m_game;
    MainWindow &m_mainWindow;
    const Pictures &m_pictures;
    std::unique_ptr<MarketWindow> m_market;
    std::unique_ptr<ConsoleWindow> m_console;
    std::unique_ptr<AuctionRoom> m_auction;
    std::unique_ptr<WonBoxesWindow> m_wonBoxes;
    Announcer *m_announcer;
    RecordsWindow *m_records = nullptr;
    CaretRest *m_caretRest;
    // Where the keyboard was when the game was paused.
    QPointer<QWidget> m_focusBeforePause;
    QPointer<HowToPlay> m_howToPlay;
    // Each offer's dialog, from the offer's making to its closing.
    std::map<const Offer *, OfferDialog *> m_offerDialogs;
};

} // namespace marvesto
