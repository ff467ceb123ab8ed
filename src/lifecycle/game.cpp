#include "lifecycle/game.h"

#include "auction/form3.h"
#include "console/form1.h"
#include "market/form2.h"
#include "sales/form4.h"
#include "sales/form5.h"
#include "shell/amounts.h"
#include "shell/controls.h"
#include "shell/mainframe.h"
#include "sound/module1.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <algorithm>

namespace marvesto {

namespace {

const QString kBankruptcyNotice = QStringLiteral(
    "Un vero disatro!  Sei andato sotto di brutto!!!  Cambia lavoro ^_^ e non fare il manager "
    "aziendale");
const QString kPlayAgain = QStringLiteral("Vuoi Giocare ancora? ");
const QString kTitle = QStringLiteral("Marvesto");

} // namespace

Game::Game(const Services &services, MainFrame &frame)
    : m_services(services),
      m_frame(frame),
      m_form1(std::make_unique<Form1>(*this)),
      m_form2(std::make_unique<Form2>(*this)),
      m_form3(std::make_unique<Form3>(*this)),
      m_form4(std::make_unique<Form4>(*this))
{
    connect(&frame, &MainFrame::newGameClicked, this, &Game::NuovaPartita_Click);
    connect(&frame, &MainFrame::exitClicked, this, &Game::Esci_Click);
    connect(&frame, &MainFrame::aboutClicked, this, &Game::showAbout);
    connect(frame.soundAction(), &QAction::toggled, this, &Game::setSoundOn);
    connect(&frame, &MainFrame::resized, this, &Game::MDIForm_Resize);
    connect(m_form1.get(), &Form::loaded, this, &Game::watchConsoleControls);
    connect(m_form1.get(), &Form::unloaded, this, &Game::watchChanged);
    connect(m_form4.get(), &Form::loaded, this, &Game::watchWonBoxes);
    connect(m_form4.get(), &Form::unloaded, this, &Game::watchChanged);
}

Game::~Game()
{
    for (const QPointer<Form5> &offer : m_offers)
        delete offer.data();
}

Form5 &Game::createOffer()
{
    auto *offer = new Form5(*this);
    connect(offer, &Form::unloaded, offer, &QObject::deleteLater);
    std::erase_if(m_offers, [](const QPointer<Form5> &p) { return p.isNull(); });
    m_offers.emplace_back(offer);
    return *offer;
}

std::vector<Form5 *> Game::openOffers() const
{
    std::vector<Form5 *> open;
    for (const QPointer<Form5> &offer : m_offers) {
        if (offer && offer->isLoaded())
            open.push_back(offer);
    }
    return open;
}

void Game::openGameWindows()
{
    m_form2->show();
    m_form1->show();
    m_form4->show();
}

void Game::MDIForm_Load()
{
    openGameWindows();
    playerPrompts(QStringLiteral("Quanti euro vuoi?"));
    if (m_ended)
        return;
    const QImage picture =
        m_services.files.loadPicture(m_services.files.programFolder() + QStringLiteral("/DeskTop.jpg"));
    if (!picture.isNull()) {
        m_frame.setBackgroundPicture(picture);
        MDIForm_Resize(); // stretch it to the area now rather than at the next resize
    }
}

void Game::MDIForm_Resize()
{
    const QString path = m_services.files.programFolder() + QStringLiteral("/DeskTop.jpg");
    if (!m_services.files.canRead(path))
        return;
    if (!m_backdropReady) {
        // The photograph loaded at start, never a stretched copy of it.
        if (m_frame.backgroundSource().isNull())
            return;
        m_backdropSource = m_frame.backgroundSource();
        m_backdropReady = true;
    }
    const QSize size = m_frame.innerSize();
    if (size.isEmpty())
        return;
    // Stretched as it is painted: no stretched copy is made.
    m_frame.setBackgroundPicture(m_backdropSource, size);
}

void Game::closeOffers()
{
    for (Form5 *offer : openOffers())
        offer->unload();
}

void Game::NuovaPartita_Click()
{
    closeOffers();
    m_form4->unload();
    m_form3->unload();
    m_form2->unload();
    m_form1->unload();
    openGameWindows();
    playerPrompts(QStringLiteral("Quanto euro vuoi?"));
}

void Game::Esci_Click()
{
    end();
}

void Game::showAbout()
{
    m_services.dialogs.about(
        QStringLiteral("Informazioni su Marvesto"),
        QStringLiteral("Marvesto " MARVESTO_VERSION "\n\n"
                       "Compra box all'asta e rivendine il contenuto.\n\n"
                       "Licenza MIT. Copyright (c) 2026 The Marvesto developers.\n\n"
                       "Immagini e suoni sono creati dal progetto stesso, "
                       "con i programmi in tools/assets."));
}

void Game::end()
{
    m_services.session.endNow();
    // Only reached where ending is simulated: nothing more may happen.
    m_ended = true;
    for (Form5 *offer : openOffers())
        offer->stopTimers();
    m_form1->stopTimers();
    m_form2->stopTimers();
    m_form3->stopTimers();
    m_form4->stopTimers();
}

void Game::playerPrompts(const QString &capitalTitle)
{
    QString name = m_services.dialogs.inputBox(QStringLiteral("Il tuo nome:"),
                                               QStringLiteral("Nome del giocatore"),
                                               QStringLiteral("Player"));
    if (name.isEmpty())
        name = QStringLiteral("Player");
    QString capitalAnswer = m_services.dialogs.inputBox(QStringLiteral("Capitale iniziale"),
                                                        capitalTitle, QStringLiteral("10000"));
    if (capitalAnswer.isEmpty())
        capitalAnswer = QStringLiteral("10000");
    m_form1->setCaption(QStringLiteral("Manager:") + name);
    setCapital(capitalAnswer);
    console().setText(QStringLiteral("Il tuo Capitale:") + capital() + QStringLiteral(" \u20AC\r\n"));
    m_form1->Text2()->setFocus();
    emit gameStarted();
}

bool Game::bankruptcyTestMet()
{
    const auto amount = readAmount(capital());
    if (!amount)
        return true; // an unreadable capital counts as met
    return *amount < 0 && m_form4->List1()->count() == 0;
}

void Game::watchConsoleControls()
{
    watchChanged();
    connect(m_form1->Money(), &QLineEdit::textChanged, this, &Game::watchChanged);
    LogView *log = m_form1->Text1();
    connect(log, &QPlainTextEdit::textChanged, this, &Game::watchChanged);
    connect(log, &QPlainTextEdit::cursorPositionChanged, this, &Game::watchChanged);
    connect(log, &QPlainTextEdit::selectionChanged, this, &Game::watchChanged);
    connect(log->verticalScrollBar(), &QScrollBar::valueChanged, this, &Game::watchChanged);
}

void Game::watchWonBoxes()
{
    watchChanged();
    const QAbstractItemModel *boxes = m_form4->List1()->model();
    connect(boxes, &QAbstractItemModel::rowsInserted, this, &Game::watchChanged);
    connect(boxes, &QAbstractItemModel::rowsRemoved, this, &Game::watchChanged);
    connect(boxes, &QAbstractItemModel::modelReset, this, &Game::watchChanged);
}

void Game::watchChanged()
{
    m_watchDirty = true;
    m_form1->watchTimer().wake();
}

void Game::watchTick()
{
    // A tick where nothing the watch reads has changed finds what the last one
    // found: nothing to do, so the watch sleeps until something changes.
    if (!m_watchDirty) {
        m_form1->watchTimer().sleep();
        return;
    }
    m_watchDirty = false;
    if (!m_inBankruptcy && bankruptcyTestMet()) {
        runBankruptcySequence();
        m_watchDirty = true; // the test is made again at the next tick, whatever changed
    }
    if (m_ended || !m_form1->isLoaded())
        return;
    console().moveCaretToEnd();
}

void Game::runBankruptcySequence()
{
    m_inBankruptcy = true;
    m_services.dialogs.messageBox(kBankruptcyNotice, Dialogs::Buttons::Ok,
                                  Dialogs::Icon::Information, kTitle);
    closeOffers();
    m_form4->unload();
    m_form3->unload();
    m_form2->unload();
    const auto answer = m_services.dialogs.messageBox(kPlayAgain, Dialogs::Buttons::YesNo,
                                                      Dialogs::Icon::Question, kTitle);
    if (answer == Dialogs::Answer::Yes) {
        openGameWindows();
        playerPrompts(QStringLiteral("Quanto euro vuoi?"));
    } else {
        end();
    }
    m_inBankruptcy = false;
}

LogView &Game::console()
{
    return *m_form1->Text1();
}

QString Game::capital()
{
    return m_form1->Money()->text();
}

void Game::setCapital(const QString &text)
{
    m_form1->Money()->setText(text);
}

void Game::playCue(const QString &name)
{
    // Muted: nothing plays, and nothing beeps in its place either.
    if (!m_soundOn)
        return;
    PlayCue(m_services, name, kPlayAsync);
}

} // namespace marvesto
