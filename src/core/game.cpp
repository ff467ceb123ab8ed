#include "core/game.h"

#include "core/amounts.h"
#include "core/recordsfile.h"

namespace marvesto {

namespace {

const char *const kBankruptcyNotice = QT_TRANSLATE_NOOP(
    "marvesto::Game",
    "Un vero disatro!  Sei andato sotto di brutto!!!  Cambia lavoro ^_^ e non fare il manager "
    "aziendale");
const char *const kPlayAgain = QT_TRANSLATE_NOOP("marvesto::Game", "Vuoi Giocare ancora? ");
const char *const kDefaultName = QT_TRANSLATE_NOOP("marvesto::Game", "Player");
const QString kDefaultCapital = QStringLiteral("10000");

} // namespace

Game::Game(const Services &services, QObject *parent)
    : QObject(parent),
      m_services(services),
      m_cues(m_services),
      m_time(services.clock),
      m_console(m_time, this),
      m_market(m_time, services.random, this),
      m_wonBoxes(m_time, services.random, m_cues, this),
      m_auction(m_time, services.random, m_cues, this),
      m_records(m_time, this)
{
    m_console.setObjectName(QStringLiteral("console"));
    m_market.setObjectName(QStringLiteral("market"));
    m_wonBoxes.setObjectName(QStringLiteral("wonBoxes"));
    m_auction.setObjectName(QStringLiteral("auction"));

    connect(&m_console.watchTimer(), &Timer::tick, this, &Game::watchTick);
    // The watch reads the capital, the console's log and the won boxes.
    for (GamePart *part :
         {static_cast<GamePart *>(&m_console), static_cast<GamePart *>(&m_wonBoxes)}) {
        connect(part, &GamePart::opened, this, &Game::noteChange);
        connect(part, &GamePart::closed, this, &Game::noteChange);
    }
    connect(&m_console, &Console::capitalChanged, this, &Game::noteChange);
    connect(&m_console, &Console::logChanged, this, &Game::noteChange);
    connect(&m_wonBoxes, &BoxListPart::linesCleared, this, &Game::noteChange);
    connect(&m_wonBoxes, &BoxListPart::lineAdded, this, &Game::noteChange);
    connect(&m_wonBoxes, &BoxListPart::lineRemoved, this, &Game::noteChange);
    wireParts();
}

void Game::wireParts()
{
    // Every change of the capital is the console's to write down.
    connect(&m_market, &Market::taxTaken, &m_console, &Console::takeTax);
    connect(&m_auction, &Auction::charged, &m_console, &Console::payForBox);
    connect(&m_wonBoxes, &WonBoxes::boxOpened, &m_console, &Console::cashInBox);
    // The commands read how many boxes are for sale and won.
    const auto countLines = [this](BoxListPart &list, void (Console::*tell)(int)) {
        const auto count = [this, &list, tell] { (m_console.*tell)(list.count()); };
        connect(&list, &BoxListPart::lineAdded, this, count);
        connect(&list, &BoxListPart::lineRemoved, this, count);
        connect(&list, &BoxListPart::linesCleared, this, count);
    };
    countLines(m_market, &Console::setBoxesForSale);
    countLines(m_wonBoxes, &Console::setWonBoxes);
    // Any command gives the buyers a chance; a market line's number opens its auction.
    connect(&m_console, &Console::commandRun, &m_wonBoxes, &WonBoxes::armOfferCheck);
    connect(&m_console, &Console::boxChosen, this, &Game::auctionBox);
    // A won box goes to the list.
    connect(&m_auction, &Auction::won, &m_wonBoxes, &BoxListPart::addBox);
    connect(&m_wonBoxes, &WonBoxes::buyerCame, this, &Game::makeOffer);
    // Closing the room runs the console's command line, which is empty then.
    connect(&m_auction, &GamePart::closed, &m_console, &Console::runCommand);
    // The record follows the capital and counts the boxes and the sales; an
    // ended game's record goes to the file.
    connect(&m_console, &Console::capitalChanged, &m_records,
            [this] { m_records.noteCapital(m_console.account()); });
    connect(&m_auction, &Auction::won, &m_records, &Records::noteBoxWon);
    connect(&m_wonBoxes, &WonBoxes::boxOpened, &m_records, &Records::noteBoxOpened);
    connect(&m_records, &Records::recorded, this, [this](const GameRecord &record) {
        if (m_recordsFile)
            m_recordsFile->add(record);
    });
}

void Game::auctionBox(int position)
{
    m_auction.start(m_market.box(position));
    m_market.removeLine(position);
}

void Game::makeOffer(const Box &box, int position, int extra)
{
    // A child of the won boxes until it closes.
    auto *offer = new Offer(m_time, &m_wonBoxes);
    connect(offer, &GamePart::opened, &m_wonBoxes,
            [this, offer] { m_wonBoxes.offerOpened(offer); });
    connect(offer, &GamePart::closed, &m_wonBoxes,
            [this, offer] { m_wonBoxes.offerClosed(offer); });
    connect(offer, &GamePart::closed, offer, &QObject::deleteLater);
    connect(offer, &Offer::saleAgreed, this, &Game::sellWonBox);
    connect(offer, &Offer::accepted, &m_records, &Records::noteOfferAccepted);
    emit offerMade(offer);
    offer->make(box, position, extra);
}

void Game::sellWonBox(const Box &box, int position, double amount)
{
    // The sale is for the very box offered; a box that has gone is not sold.
    const int row = m_wonBoxes.rowOf(box, position);
    if (row < 0)
        return;
    m_wonBoxes.removeLine(row);
    m_console.creditSale(amount);
    m_cues.play(Cue::CashIn);
}

void Game::closeOffers()
{
    for (Offer *offer : m_wonBoxes.openOffers())
        offer->close();
}

void Game::openGameParts()
{
    m_market.open();
    m_console.open();
    m_wonBoxes.open();
}

void Game::start()
{
    openGameParts();
    askPlayer(tr("Quanti euro vuoi?"));
}

void Game::newGame()
{
    m_records.finish(GameEnding::NewGame);
    closeOffers();
    m_wonBoxes.close();
    m_auction.close();
    m_market.close();
    m_console.close();
    openGameParts();
    askPlayer(tr("Quanto euro vuoi?"));
}

void Game::exit()
{
    end();
}

void Game::closing()
{
    m_records.finish(GameEnding::Quit);
}

void Game::showAbout()
{
    m_services.dialogs.about(tr("Informazioni su Marvesto"),
                             tr("Marvesto %1\n\n"
                                "Compra box all'asta e rivendine il contenuto.\n\n"
                                "Licenza MIT. Copyright (c) 2026 The Marvesto developers.\n\n"
                                "Immagini e suoni sono creati dal progetto stesso, "
                                "con i programmi in tools/assets.")
                                 .arg(QStringLiteral(MARVESTO_VERSION)));
}

void Game::end()
{
    m_records.finish(GameEnding::Quit);
    m_services.session.endNow();
    // Only reached where ending is simulated: nothing more may happen.
    m_ended = true;
    for (Offer *offer : m_wonBoxes.openOffers())
        offer->stopTimers();
    m_console.stopTimers();
    m_market.stopTimers();
    m_auction.stopTimers();
    m_wonBoxes.stopTimers();
}

void Game::askPlayer(const QString &capitalTitle)
{
    const QString defaultName = tr(kDefaultName);
    QString name =
        m_services.dialogs.inputBox(tr("Il tuo nome:"), tr("Nome del giocatore"), defaultName);
    if (name.isEmpty())
        name = defaultName;
    QString capital =
        m_services.dialogs.inputBox(tr("Capitale iniziale"), capitalTitle, kDefaultCapital);
    if (capital.isEmpty())
        capital = kDefaultCapital;
    m_console.open();
    m_console.setPlayer(name);
    m_console.setCapital(Amount::typed(capital));
    m_console.setLog(m_console.capitalLine());
    m_records.begin(name, m_console.account());
    emit gameStarted();
}

bool Game::isBankrupt() const
{
    const auto capital = m_console.account().number();
    if (!capital)
        return true; // a capital that reads as no number counts as bankrupt
    return *capital < 0 && m_wonBoxes.count() == 0;
}

void Game::noteChange()
{
    m_watchDirty = true;
    m_console.watchTimer().wake();
}

void Game::watchTick()
{
    // A tick where nothing the watch reads has changed finds what the last one
    // found: nothing to do, so the watch sleeps until something changes.
    if (!m_watchDirty) {
        m_console.watchTimer().sleep();
        return;
    }
    m_watchDirty = false;
    if (!m_inBankruptcy && isBankrupt()) {
        runBankruptcySequence();
        m_watchDirty = true; // the test is made again at the next tick, whatever changed
    }
    if (m_ended || !m_console.isOpen())
        return;
    m_console.followLog();
}

void Game::runBankruptcySequence()
{
    m_inBankruptcy = true;
    m_records.finish(GameEnding::Bankruptcy);
    m_services.dialogs.messageBox(tr(kBankruptcyNotice), Dialogs::Buttons::Ok,
                                  Dialogs::Icon::Information, kTitle);
    closeOffers();
    m_wonBoxes.close();
    m_auction.close();
    m_market.close();
    const auto answer = m_services.dialogs.messageBox(tr(kPlayAgain), Dialogs::Buttons::YesNo,
                                                      Dialogs::Icon::Question, kTitle);
    if (answer == Dialogs::Answer::Yes) {
        openGameParts();
        askPlayer(tr("Quanto euro vuoi?"));
    } else {
        end();
    }
    m_inBankruptcy = false;
}

} // namespace marvesto
