#include "ui/desk.h"

#include "core/game.h"
#include "core/offer.h"
#include "ui/auctionroom.h"
#include "ui/consolewindow.h"
#include "ui/marketwindow.h"
#include "ui/offerdialog.h"
#include "ui/toolkit/mainwindow.h"
#include "ui/toolkit/pictures.h"
#include "ui/wonboxeswindow.h"

#include <QAction>
#include <QMdiArea>

namespace marvesto {

namespace {

// Where the windows go, in twips from the area's corner.
constexpr double kMarketTop = 100;
constexpr double kMarketLeft = 1;
constexpr double kConsoleBelowMarket = 5000;
constexpr double kMarketWidthsLeftOfConsole = 2.5;
constexpr double kWonBoxesRightOfMarket = 100;
constexpr double kAuctionRoomCorner = 1000;
// An offer sits a fifth of the main window's size in from its corner.
constexpr double kOfferFraction = 5;

} // namespace

Desk::Desk(Game &game, MainWindow &mainWindow, const Pictures &pictures, QObject *parent)
    : QObject(parent),
      m_game(game),
      m_mainWindow(mainWindow),
      m_pictures(pictures),
      m_market(std::make_unique<MarketWindow>(game.market(), mainWindow.area(), this)),
      m_console(std::make_unique<ConsoleWindow>(game.console(), mainWindow.area(), this)),
      m_auction(std::make_unique<AuctionRoom>(game.auction(), mainWindow.area(), this)),
      m_wonBoxes(std::make_unique<WonBoxesWindow>(game.wonBoxes(), mainWindow.area(), this))
{
    follow(*m_market, game.market());
    follow(*m_console, game.console());
    follow(*m_auction, game.auction());
    follow(*m_wonBoxes, game.wonBoxes());

    m_market->setLoadHook([this] {
        m_market->setTop(kMarketTop);
        m_market->setLeft(kMarketLeft);
    });
    m_console->setLoadHook([this] {
        m_console->setTop(m_market->top() + kConsoleBelowMarket);
        m_console->setLeft(m_market->width() / kMarketWidthsLeftOfConsole);
    });
    m_wonBoxes->setLoadHook([this] {
        m_wonBoxes->setTop(m_market->top());
        m_wonBoxes->setLeft(static_cast<float>(m_market->width()) + kWonBoxesRightOfMarket);
    });
    // The auction room locks the console and the market while it is open.
    m_auction->setLoadHook([this] {
        m_auction->setTop(kAuctionRoomCorner);
        m_auction->setLeft(kAuctionRoomCorner);
        m_market->lock(m_auction.get());
        m_console->lock(m_auction.get());
    });
    connect(&game.auction(), &GamePart::closed, this, [this] {
        m_market->unlock(m_auction.get());
        m_console->unlock(m_auction.get());
        m_console->focusCommandLine();
    });

    // Esc in a game window brings the player back to an empty command line.
    ConsoleWindow *console = m_console.get();
    connect(m_market.get(), &MarketWindow::escapePressed, console,
            &ConsoleWindow::clearCommandLine);
    connect(m_auction.get(), &AuctionRoom::escapePressed, console,
            &ConsoleWindow::clearCommandLine);
    connect(m_wonBoxes.get(), &WonBoxesWindow::escapePressed, console,
            &ConsoleWindow::clearCommandLine);
    connect(&game.console(), &Console::firstWonBoxChosen, m_wonBoxes.get(),
            &WonBoxesWindow::chooseFirstBox);
    connect(m_wonBoxes.get(), &WonBoxesWindow::commandLineWanted, m_console.get(),
            &ConsoleWindow::focusCommandLine);
    connect(&game, &Game::gameStarted, m_console.get(), &ConsoleWindow::focusCommandLine);
    // The watch looks again when the player moves the console's log.
    connect(m_console.get(), &ConsoleWindow::logViewMoved, &game, &Game::noteChange);
    connect(&game.wonBoxes(), &WonBoxes::offerMade, this, &Desk::addOfferDialog);

    connect(&mainWindow, &MainWindow::newGameClicked, &game, &Game::newGame);
    connect(&mainWindow, &MainWindow::exitClicked, &game, &Game::exit);
    connect(&mainWindow, &MainWindow::aboutClicked, &game, &Game::showAbout);
    connect(mainWindow.soundAction(), &QAction::toggled, &game, &Game::setSoundOn);
    connect(&mainWindow, &MainWindow::resized, this, &Desk::stretchBackdrop);
}

Desk::~Desk() = default;

void Desk::follow(ChildWindow &window, GamePart &part)
{
    connect(&part, &GamePart::opened, &window, &ChildWindow::load);
    connect(&part, &GamePart::closed, &window, &ChildWindow::unload);
}

void Desk::addOfferDialog(Offer *offer)
{
    // A child of the desk until its offer closes.
    auto *dialog = new OfferDialog(*offer, m_mainWindow.area(), this);
    follow(*dialog, *offer);
    // An offer locks the console, the market and the won boxes while it is open.
    dialog->setLoadHook([this, dialog] {
        const QRect frame = m_mainWindow.frameGeometry();
        dialog->setTop(static_cast<float>(frame.height() * design::kTwipsPerPixel)
                       / kOfferFraction);
        dialog->setLeft(static_cast<float>(frame.width() * design::kTwipsPerPixel)
                        / kOfferFraction);
        m_console->lock(dialog);
        m_market->lock(dialog);
        m_wonBoxes->lock(dialog);
    });
    connect(offer, &GamePart::closed, this, [this, dialog] {
        m_console->unlock(dialog);
        m_market->unlock(dialog);
        m_wonBoxes->unlock(dialog);
        dialog->deleteLater();
    });
    // Once the dialog has let go of the console.
    connect(offer, &Offer::accepted, this, [this] {
        if (m_console->isEnabled())
            m_console->focusCommandLine();
    });
}

std::vector<OfferDialog *> Desk::offerDialogs() const
{
    std::vector<OfferDialog *> open;
    for (OfferDialog *dialog : findChildren<OfferDialog *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (dialog->isLoaded())
            open.push_back(dialog);
    }
    return open;
}

QString Desk::backdropPath() const
{
    return m_game.services().files.programFolder() + QStringLiteral("/DeskTop.jpg");
}

void Desk::start()
{
    m_game.start();
    if (m_game.hasEnded())
        return;
    const QImage picture = m_pictures.loadPicture(backdropPath());
    if (!picture.isNull()) {
        m_mainWindow.setBackgroundPicture(picture);
        stretchBackdrop(); // now rather than at the next resize
    }
}

void Desk::stretchBackdrop()
{
    if (!m_game.services().files.canRead(backdropPath()))
        return;
    // The photograph loaded at start, never a stretched copy of it: the main
    // window keeps it as set and stretches it as it paints.
    const QImage photograph = m_mainWindow.backgroundSource();
    const QSize size = m_mainWindow.innerSize();
    if (photograph.isNull() || size.isEmpty())
        return;
    m_mainWindow.setBackgroundPicture(photograph, size);
}

} // namespace marvesto
