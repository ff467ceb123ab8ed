#include "ui/desk.h"

#include "core/game.h"
#include "core/offer.h"
#include "ui/auctionroom.h"
#include "ui/consolewindow.h"
#include "ui/howtoplay.h"
#include "ui/marketwindow.h"
#include "ui/offerdialog.h"
#include "ui/recordswindow.h"
#include "ui/toolkit/announcer.h"
#include "ui/toolkit/caret.h"
#include "ui/toolkit/mainwindow.h"
#include "ui/toolkit/pictures.h"
#include "ui/wonboxeswindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>

#include <algorithm>

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

// Each new line of a part's log is told to the screen reader.
template <typename Part>
void announceLog(Announcer &announcer, const Part &part)
{
    QObject::connect(&part, &Part::logAppended, &announcer,
                     [&announcer, &part](const QString &text) { announcer.say(text, &part); });
    QObject::connect(&part, &Part::logReplaced, &announcer,
                     [&announcer, &part](const QString &text) {
                         announcer.sayInstead(text, &part);
                     });
}

// Shows a window of its own over the main window, in front, with the keyboard.
void bringForward(QWidget &window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace

Desk::Desk(Game &game, MainWindow &mainWindow, const Pictures &pictures, QObject *parent)
    : QObject(parent),
      m_game(game),
      m_mainWindow(mainWindow),
      m_pictures(pictures),
      m_market(std::make_unique<MarketWindow>(game.market(), mainWindow.area(), this)),
      m_console(std::make_unique<ConsoleWindow>(game.console(), mainWindow.area(), this)),
      m_auction(std::make_unique<AuctionRoom>(game.auction(), mainWindow.area(), this)),
      m_wonBoxes(std::make_unique<WonBoxesWindow>(game.wonBoxes(), mainWindow.area(), this)),
      m_announcer(new Announcer(mainWindow, this)),
      m_caretRest(new CaretRest(game.services().clock, this))
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
    connect(&game, &Game::offerMade, this, &Desk::addOfferDialog);

    connect(&mainWindow, &MainWindow::newGameClicked, &game, &Game::newGame);
    connect(&mainWindow, &MainWindow::exitClicked, &game, &Game::exit);
    connect(&mainWindow, &MainWindow::aboutClicked, &game, &Game::showAbout);
    connect(&mainWindow, &MainWindow::recordsClicked, this, &Desk::showRecords);
    connect(&mainWindow, &MainWindow::howToPlayClicked, this, &Desk::showHowToPlay);
    connect(mainWindow.soundAction(), &QAction::toggled, &game, &Game::setSoundOn);
    connect(&mainWindow, &MainWindow::resized, this, &Desk::stretchBackdrop);

    // A screen reader hears each new line of the logs, wherever the focus is,
    // and the capital when the player asks for it.
    announceLog(*m_announcer, game.console());
    announceLog(*m_announcer, game.auction());
    connect(&mainWindow, &MainWindow::capitalWanted, this,
            [this] { m_announcer->say(capitalSummary()); });
    // Time: the pause and the speed live in the game's clock.
    GameClock &time = game.time();
    connect(mainWindow.pauseAction(), &QAction::toggled, &time, &GameClock::setPaused);
    connect(&mainWindow, &MainWindow::minimized, &time, [&time] { time.setPaused(true); });
    connect(&time, &GameClock::pausedChanged, this, &Desk::showPaused);
    for (QAction *speed : mainWindow.speedActions()->actions()) {
        connect(speed, &QAction::toggled, &time, [&time, speed](bool chosen) {
            if (chosen)
                time.setSpeed(static_cast<Speed>(speed->data().toInt()));
        });
    }

    // Ctrl+Tab and F6 are seen before any window's own handling.
    qApp->installEventFilter(this);
}

Desk::~Desk()
{
    qApp->removeEventFilter(this);
}

void Desk::follow(ChildWindow &window, GamePart &part)
{
    connect(&part, &GamePart::opened, &window, &ChildWindow::load);
    connect(&part, &GamePart::closed, &window, &ChildWindow::unload);
}

void Desk::addOfferDialog(Offer *offer)
{
    // A child of the desk until its offer closes.
    auto *dialog = new OfferDialog(*offer, m_mainWindow.area(), this);
    m_offerDialogs[offer] = dialog;
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
    connect(offer, &GamePart::closed, this, [this, offer, dialog] {
        m_offerDialogs.erase(offer);
        m_console->unlock(dialog);
        m_market->unlock(dialog);
        m_wonBoxes->unlock(dialog);
        dialog->deleteLater();
    });
    connect(offer, &Offer::textFollowed, m_announcer,
            [this, offer] { m_announcer->say(offer->text()); });
    // Once the dialog has let go of the console.
    connect(offer, &Offer::accepted, this, [this] {
        if (m_console->isEnabled())
            m_console->focusCommandLine();
    });
}

void Desk::showRecords()
{
    // A window of its own over the main window, not modal: the game goes on.
    if (!m_records)
        m_records = new RecordsWindow(m_game.records(), m_game.recordsFile(), &m_mainWindow);
    bringForward(*m_records);
}

HowToPlay *Desk::howToPlay() const
{
    return m_howToPlay;
}

void Desk::showHowToPlay()
{
    if (!m_howToPlay)
        m_howToPlay = new HowToPlay(&m_mainWindow);
    bringForward(*m_howToPlay);
}

std::vector<OfferDialog *> Desk::offerDialogs() const
{
    std::vector<OfferDialog *> open;
    for (const Offer *offer : m_game.wonBoxes().openOffers()) {
        if (const auto found = m_offerDialogs.find(offer); found != m_offerDialogs.end())
            open.push_back(found->second);
    }
    return open;
}

QString Desk::capitalSummary() const
{
    const int won = m_game.wonBoxes().count();
    // One arg() for all three, so that a capital typed as "%2" stays as typed.
    return tr("Capitale: %1 €, %2 %3")
        .arg(m_game.console().capital(), QString::number(won),
             won == 1 ? tr("box vinto") : tr("box vinti"));
}

void Desk::showPaused(bool paused)
{
    const GameClock *holder = &m_game.time();
    if (paused)
        m_focusBeforePause = QApplication::focusWidget();
    std::vector<ChildWindow *> windows{m_market.get(), m_console.get(), m_wonBoxes.get(),
                                       m_auction.get()};
    for (OfferDialog *dialog : offerDialogs())
        windows.push_back(dialog);
    for (ChildWindow *window : windows) {
        if (paused)
            window->lock(holder);
        else
            window->unlock(holder);
    }
    m_mainWindow.showPaused(paused);
    m_announcer->say(paused ? tr("Pausa") : tr("Ripresa"));
    if (!paused && m_focusBeforePause && m_focusBeforePause->isEnabled())
        m_focusBeforePause->setFocus(Qt::OtherFocusReason);
}

std::vector<ChildWindow *> Desk::windowsInTurn() const
{
    std::vector<ChildWindow *> windows{m_market.get(), m_console.get(), m_wonBoxes.get(),
                                       m_auction.get()};
    for (OfferDialog *dialog : offerDialogs())
        windows.push_back(dialog);
    std::erase_if(windows, [](const ChildWindow *w) { return !w->isLoaded() || !w->isEnabled(); });
    return windows;
}

void Desk::turnWindow(int step)
{
    const std::vector<ChildWindow *> windows = windowsInTurn();
    if (windows.empty())
        return;
    const auto count = static_cast<int>(windows.size());
    const auto here = std::find_if(windows.cbegin(), windows.cend(),
                                   [](const ChildWindow *w) { return w->hasFocus(); });
    int next = step > 0 ? 0 : count - 1;
    if (here != windows.cend())
        next = (static_cast<int>(here - windows.cbegin()) + step + count) % count;
    windows[static_cast<std::size_t>(next)]->focusMainControl();
}

bool Desk::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || QApplication::activeModalWidget())
        return false;
    const auto *widget = qobject_cast<const QWidget *>(watched);
    if (!widget || widget->window() != &m_mainWindow)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    int step = 0;
    if (key->key() == Qt::Key_Tab && modifiers == Qt::ControlModifier)
        step = 1;
    else if (key->key() == Qt::Key_Backtab && (modifiers & Qt::ControlModifier))
        step = -1;
    else if (key->key() == Qt::Key_F6 && modifiers == Qt::NoModifier)
        step = 1;
    else if (key->key() == Qt::Key_F6 && modifiers == Qt::ShiftModifier)
        step = -1;
    if (step == 0)
        return false;
    turnWindow(step);
    return true;
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
