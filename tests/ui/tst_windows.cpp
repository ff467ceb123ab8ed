#include "fixture.h"

#include "app/language.h"
#include "core/market.h"
#include "core/recordsfile.h"
#include "ui/howtoplay.h"
#include "ui/recordswindow.h"
#include "ui/toolkit/announcer.h"
#include "ui/toolkit/caret.h"

#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEvent>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTranslator>

#include <map>

using namespace marvesto;
using namespace marvesto::test;

namespace {

const QString kEuro = QStringLiteral(" \u20AC");

// Makes an offer the way the game does: a command, then the buyer's tick.
OfferDialog *makeOffer(GameFixture &f, int position, int extra)
{
    scriptOffer(f, position, f.wonBoxes().count(), extra);
    f.command(QString());
    f.advance(1);
    return f.offerDialog();
}

// The region each widget is asked to paint while the counter lives.
class PaintCounter : public QObject {
public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    std::map<QWidget *, QRegion> painted;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType())
            painted[static_cast<QWidget *>(watched)] += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

// What the window shows of a widget, as its backing store holds it.
QImage shownOnScreen(QWidget *widget)
{
    const QPoint at = widget->mapTo(widget->window(), QPoint(0, 0));
    return widget->screen()
        ->grabWindow(widget->window()->winId(), at.x(), at.y(), widget->width(), widget->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestWindows : public QObject {
    Q_OBJECT

private slots:
    void startUpOpensAndPlacesTheWindows()
    {
        GameFixture f;
        f.start();
        QVERIFY(f.consoleWindow().isLoaded() && f.marketWindow().isLoaded()
                && f.wonBoxesWindow().isLoaded());
        QVERIFY(!f.auctionRoom().isLoaded());
        QVERIFY(f.marketWindow().subWindow()->isVisible());
        QCOMPARE(f.marketWindow().top(), 105.0); // 100 twips, to the pixel
        QCOMPARE(f.marketWindow().left(), 0.0);
        QCOMPARE(f.consoleWindow().top(), design::toPixels(f.marketWindow().top() + 5000) * 15.0);
        QCOMPARE(f.consoleWindow().left(), design::toPixels(f.marketWindow().width() / 2.5) * 15.0);
        QCOMPARE(f.wonBoxesWindow().top(), f.marketWindow().top());
        QCOMPARE(f.wonBoxesWindow().left(),
                 design::toPixels(f.marketWindow().width() + 100) * 15.0);
        QVERIFY(f.market().tickTimer().isEnabled());
        QVERIFY(f.console().watchTimer().isEnabled());
        QVERIFY(!f.wonBoxes().offerTimer().isEnabled());
    }

    void promptsAskNameThenCapital()
    {
        GameFixture f;
        f.start(QStringLiteral("Anna"), QStringLiteral("2500"));
        QCOMPARE(f.dialogs.inputs.size(), 2u);
        QCOMPARE(f.dialogs.inputs[0].prompt, QStringLiteral("Il tuo nome:"));
        QCOMPARE(f.dialogs.inputs[0].title, QStringLiteral("Nome del giocatore"));
        QCOMPARE(f.dialogs.inputs[0].defaultAnswer, QStringLiteral("Player"));
        QCOMPARE(f.dialogs.inputs[1].prompt, QStringLiteral("Capitale iniziale"));
        QCOMPARE(f.dialogs.inputs[1].title, QStringLiteral("Quanti euro vuoi?"));
        QCOMPARE(f.dialogs.inputs[1].defaultAnswer, QStringLiteral("10000"));
        QCOMPARE(f.consoleWindow().caption(), QStringLiteral("Manager:Anna"));
        QCOMPARE(f.capital(), QStringLiteral("2500"));
        QCOMPARE(f.consoleText(), QStringLiteral("Il tuo Capitale:2500 \u20AC\r\n"));
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
    }

    void cancelGivesTheDefaults()
    {
        GameFixture f;
        f.start(QString(), QString());
        QCOMPARE(f.consoleWindow().caption(), QStringLiteral("Manager:Player"));
        QCOMPARE(f.capital(), QStringLiteral("10000"));
        QCOMPARE(f.consoleText(), QStringLiteral("Il tuo Capitale:10000 \u20AC\r\n"));
    }

    void aSingleBlankStaysAsTyped()
    {
        GameFixture f;
        f.start(QStringLiteral(" "), QStringLiteral(" "));
        QCOMPARE(f.consoleWindow().caption(), QStringLiteral("Manager: "));
        QCOMPARE(f.capital(), QStringLiteral(" "));
        QCOMPARE(f.consoleText(), QStringLiteral("Il tuo Capitale:  \u20AC\r\n"));
    }

    // Qt drops a "[*]" from titles as a modified mark; the player's name keeps it.
    void theConsoleTitleShowsTheNameAsTyped()
    {
        GameFixture f;
        f.start(QStringLiteral("Ada[*]"));
        QCOMPARE(f.consoleWindow().caption(), QStringLiteral("Manager:Ada[*]"));
        const QImage withMark = f.consoleWindow().subWindow()->grab().toImage();
        f.consoleWindow().setCaption(QStringLiteral("Manager:Ada"));
        QVERIFY(f.consoleWindow().subWindow()->grab().toImage() != withMark);
    }

    void theCapitalKeepsItsDesignValueWhileThePromptsAreOpen()
    {
        GameFixture f;
        QString seen;
        f.dialogs.answerInput(QStringLiteral("Anna"));
        f.dialogs.answerInput(QStringLiteral("-100"), [&] {
            f.clock.advance(11000); // a tax falls on the design capital
            seen = f.capital();
        });
        f.desk->start();
        QVERIFY(seen.startsWith(QStringLiteral("49")));
        QCOMPARE(f.dialogs.messages.size(), 0u); // no bankruptcy during the prompts
        QCOMPARE(f.consoleText(), QStringLiteral("Il tuo Capitale:-100 \u20AC\r\n"));
        QCOMPARE(f.marketWindow().boxesList()->count(), 11);
    }

    void newGameResetsTheWindowsAndAsksAgain()
    {
        GameFixture f;
        f.start(QStringLiteral("Anna"), QStringLiteral("5000"));
        f.advance(4000);
        f.addWonBox(QStringLiteral("Box numero:1 - Prezzo:1500 \u20AC"));
        f.type(QStringLiteral("abc"));
        f.dialogs.answerInput(QStringLiteral("Bruno"));
        f.dialogs.answerInput(QStringLiteral("777"));
        f.frame->newGameAction()->trigger();
        f.settle();

        QCOMPARE(f.dialogs.inputs.size(), 4u);
        QCOMPARE(f.dialogs.inputs[3].title, QStringLiteral("Quanto euro vuoi?"));
        QCOMPARE(f.consoleWindow().caption(), QStringLiteral("Manager:Bruno"));
        QCOMPARE(f.capital(), QStringLiteral("777"));
        QCOMPARE(f.consoleText(), QStringLiteral("Il tuo Capitale:777 \u20AC\r\n"));
        QCOMPARE(f.consoleWindow().commandLineEdit()->text(), QString());
        QCOMPARE(f.marketWindow().boxesList()->count(), 0);
        QCOMPARE(f.wonBoxesWindow().boxesList()->count(), 0);
        QVERIFY(f.market().tickTimer().isEnabled());
        QVERIFY(!f.wonBoxes().offerTimer().isEnabled());
        QVERIFY(!f.auctionRoom().isLoaded());
        QCOMPARE(f.frame->area().subWindowList().size(), 3);
    }

    void exitEndsAtOnce()
    {
        GameFixture f;
        f.start();
        f.frame->exitAction()->trigger();
        QCOMPARE(f.session.endings, 1);
        QCOMPARE(f.dialogs.messages.size(), 0u);
    }

    // The menu's keys, the sound switch and the About box.
    void theMenuOffersShortcutsSoundAndAbout()
    {
        GameFixture f;
        f.start();
        QCOMPARE(f.frame->newGameAction()->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
        QCOMPARE(f.frame->exitAction()->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
        f.frame->soundAction()->setChecked(false);
        f.market().tickTimer().setEnabled(false);
        f.fillMarket(1);
        f.command(QStringLiteral("0")); // the room's opening cue, muted
        QVERIFY(f.sound.paths.isEmpty());
        f.frame->soundAction()->setChecked(true);
        f.game->cues().play(Cue::CashIn);
        QCOMPARE(f.sound.cues(), QStringList({"6"}));
        f.game->showAbout();
        QCOMPARE(f.dialogs.abouts.size(), 1u);
        QVERIFY(f.dialogs.abouts.front().second.contains(QStringLiteral(MARVESTO_VERSION)));
    }

    // "Come si gioca" opens with Ctrl+H even from the command line, which
    // types nothing, beside the game, which goes on; it is a text a screen
    // reader can read.
    void howToPlayOpensWithoutStoppingTheGame()
    {
        GameFixture f;
        f.start();
        f.frame->show();
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
        const int lines = f.marketWindow().boxesList()->count();
        QLineEdit *command = f.consoleWindow().commandLineEdit();
        command->setFocus();
        QTest::keyClick(command, Qt::Key_H, Qt::ControlModifier);
        QVERIFY(command->text().isEmpty());
        HowToPlay *help = f.desk->howToPlay();
        QVERIFY(help && help->isVisible());
        QVERIFY(!help->isModal() && !QApplication::activeModalWidget());
        QCOMPARE(help->windowTitle(), QStringLiteral("Come si gioca"));
        QCOMPARE(help->textView()->accessibleName(), QStringLiteral("Come si gioca"));
        QVERIFY(help->textView()->isReadOnly());
        for (const char *topic : {"Boxes in vendita", "Le tasse", "La bancarotta", "Le offerte",
                                  "Pausa e velocit\u00E0", "Ctrl+H"})
            QVERIFY2(help->textView()->toPlainText().contains(QString::fromUtf8(topic)), topic);
        f.advance(2000);
        QCOMPARE(f.marketWindow().boxesList()->count(), lines + 2);
        f.frame->howToPlayAction()->trigger(); // the same window, brought forward
        QCOMPARE(f.desk->howToPlay(), help);
    }

    // The language spoken: Italian unless the desktop prefers a translated one
    // first; a C locale keeps Italian, whatever LANGUAGE says.
    void theLanguageIsTheFirstOneSpoken_data()
    {
        QTest::addColumn<QString>("messages");
        QTest::addColumn<QStringList>("ui");
        QTest::addColumn<QString>("chosen");
        const QStringList en{"en-US", "en-Latn-US", "en"};
        QTest::newRow("English") << "en_US.UTF-8" << en << "en";
        QTest::newRow("British") << "en_GB.UTF-8" << QStringList{"en-GB", "en"} << "en";
        QTest::newRow("Italian") << "it_IT.UTF-8" << QStringList{"it-IT", "it"} << "it";
        QTest::newRow("Swiss Italian") << "it_CH.UTF-8" << QStringList{"it-CH", "it"} << "it";
        QTest::newRow("LANGUAGE=it:en")
            << "en_US.UTF-8" << QStringList{"it", "it-IT", "en"} << "it";
        QTest::newRow("LANGUAGE=de:en")
            << "de_DE.UTF-8" << QStringList{"de", "de-DE", "en"} << "en";
        QTest::newRow("German alone") << "de_DE.UTF-8" << QStringList{"de-DE", "de"} << "it";
        QTest::newRow("C.UTF-8") << "C.UTF-8" << QStringList{"C"} << "it";
        QTest::newRow("C with LANGUAGE=en") << "C.UTF-8" << en << "it";
        QTest::newRow("POSIX") << "POSIX" << en << "it";
        QTest::newRow("unset") << "" << en << "it";
    }

    void theLanguageIsTheFirstOneSpoken()
    {
        QFETCH(QString, messages);
        QFETCH(QStringList, ui);
        QFETCH(QString, chosen);
        QCOMPARE(Language::choose(messages, ui, {QStringLiteral("en")}), chosen);
    }

    // The English translation: every window, the prompts, a message box and
    // the menu speak it, and the lines the game reads back still work.
    void theGameSpeaksEnglish()
    {
        QTranslator english;
        QVERIFY(
            english.load(QStringLiteral("marvesto_en"), QStringLiteral(MARVESTO_TRANSLATIONS_DIR)));
        QCoreApplication::installTranslator(&english);
        const auto italianAgain =
            qScopeGuard([&english] { QCoreApplication::removeTranslator(&english); });

        GameFixture f;
        f.start(QStringLiteral("Anna"), QStringLiteral("500"));
        QCOMPARE(f.dialogs.inputs[0].prompt, QStringLiteral("Your name:"));
        QCOMPARE(f.dialogs.inputs[0].title, QStringLiteral("Player's name"));
        QCOMPARE(f.dialogs.inputs[1].title, QStringLiteral("How many euros do you want?"));
        QCOMPARE(f.consoleWindow().caption(), QStringLiteral("Manager:Anna"));
        QCOMPARE(f.consoleText(), QStringLiteral("Your capital:500 \u20AC\r\n"));
        QCOMPARE(f.consoleWindow().sellLabel()->text(), QStringLiteral("F1-Sell"));
        QCOMPARE(f.consoleWindow().commandLineEdit()->accessibleName(),
                 QStringLiteral("Command line"));
        QCOMPARE(f.marketWindow().caption(), QStringLiteral("Boxes for sale"));
        QCOMPARE(f.wonBoxesWindow().caption(), QStringLiteral("Won Auctions"));
        QCOMPARE(f.frame->newGameAction()->text(), QStringLiteral("New Game"));
        QCOMPARE(f.frame->howToPlayAction()->text(), QStringLiteral("How to Play"));

        // A box as the market offers it, its auction and its line once won.
        f.market().tickTimer().setEnabled(false);
        f.random.script({0.5f, 0.25f}); // box "M" at 3499 €
        f.market().tickTimer().tick();
        QCOMPARE(f.market().line(0),
                 QStringLiteral("Box number:0 - Auction:M - Price:3499") + kEuro);
        f.command(QStringLiteral("0"));
        QCOMPARE(f.auctionRoom().caption(), QStringLiteral("Auction Starting..."));
        QCOMPARE(f.auctionRoom().priceLineEdit()->text(), QStringLiteral("3499"));
        f.random.script({0.9f}); // the rivals give up
        f.advance(1000);
        QVERIFY(
            f.auction().log().endsWith(QStringLiteral("Auction closed. The box is yours!\r\n")));
        QCOMPARE(f.wonBoxes().line(0), QStringLiteral("Box number:0 - Price:3499") + kEuro);
        QCOMPARE(f.consoleText(),
                 QStringLiteral("Your capital:500 \u20AC\r\n"
                                "Total cost of the box: -3499 \u20AC\r\n"
                                "\r\nYour capital now: -2999 \u20AC\r\n"));
        scriptOffer(f, 0, 1, 1, 30); // no buyer as the room closes
        f.advance(3000 + 1);

        // A buyer's offer for it, in its own window.
        OfferDialog *dialog = makeOffer(f, 0, 20);
        QVERIFY(dialog);
        QCOMPARE(dialog->caption(), QStringLiteral("An Offer You Can't Refuse..."));
        QVERIFY(f.offer()->text().endsWith(QStringLiteral("I offer you ... 3499 + 20\r\n"
                                                          "Do you want to sell?\r\n")));
        f.pressEnter(dialog->offerView());
        f.advance(1);
        QCOMPARE(f.capital(), QStringLiteral("520"));

        // Bankruptcy: its message box, then the question.
        f.dialogs.answerMessage(Dialogs::Answer::Ok);
        f.dialogs.answerMessage(Dialogs::Answer::No);
        f.console().setCapital(Amount(-1));
        f.advance(1);
        QCOMPARE(f.dialogs.messages.size(), 2u);
        QVERIFY(f.dialogs.messages[0].text.startsWith(QStringLiteral("A real disaster!")));
        QCOMPARE(f.dialogs.messages[1].text, QStringLiteral("Do you want to play again? "));
    }

    void missingBackdropLeavesTheAreaBlack()
    {
        GameFixture f;
        f.start();
        QVERIFY(f.frame->backgroundPicture().isNull());
    }

    void backdropIsLoadedAtStart()
    {
        GameFixture f;
        writeBackdrop(f.folder.path(), QSize(64, 48));
        f.start();
        QVERIFY(!f.frame->backgroundPicture().isNull());
    }

    void escapeInTheMarketClearsAndFocusesTheCommandLine()
    {
        GameFixture f;
        f.start();
        f.advance(2000);
        f.type(QStringLiteral("12"));
        f.marketWindow().boxesList()->setFocus();
        QTest::keyClick(f.marketWindow().boxesList(), Qt::Key_Escape);
        QCOMPARE(f.consoleWindow().commandLineEdit()->text(), QString());
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
    }

    void theMarketTicksWhileLocked()
    {
        GameFixture f;
        f.start();
        QObject holder;
        f.marketWindow().lock(&holder);
        f.advance(11000);
        QCOMPARE(f.marketWindow().boxesList()->count(), 11);
        QCOMPARE(selectedRow(f.marketWindow().boxesList()), 10); // the newest box is chosen
        QCOMPARE(f.consoleText().count(QStringLiteral("Tax:")), 1);
    }

    void f1AndTheLabelSell()
    {
        GameFixture f;
        f.start();
        f.addWonBox(QStringLiteral("Box numero:1 - Prezzo:1500 \u20AC"));
        f.type(QStringLiteral("xyz"));
        QTest::keyClick(f.consoleWindow().commandLineEdit(), Qt::Key_F1, Qt::ShiftModifier);
        QCOMPARE(f.consoleWindow().commandLineEdit()->text(), QString());
        QCOMPARE(selectedRow(f.wonBoxesWindow().boxesList()), 0);
        QVERIFY(f.wonBoxes().offerTimer().isEnabled());

        f.advance(10);
        selectRow(f.wonBoxesWindow().boxesList(), -1);
        QTest::mouseClick(f.consoleWindow().sellLabel(), Qt::LeftButton);
        QCOMPARE(f.consoleWindow().commandLineEdit()->text(), QString());
        QCOMPARE(selectedRow(f.wonBoxesWindow().boxesList()), 0);
    }

    void escapeInTheConsoleOnlyEmptiesTheLine()
    {
        GameFixture f;
        withThreeLines(f);
        f.type(QStringLiteral("2"));
        QTest::keyClick(f.consoleWindow().commandLineEdit(), Qt::Key_Escape);
        QCOMPARE(f.consoleWindow().commandLineEdit()->text(), QString());
        QVERIFY(!f.auctionRoom().isLoaded());
        QVERIFY(!f.wonBoxes().offerTimer().isEnabled());
    }

    void aLockedConsoleTakesNoCommand()
    {
        GameFixture f;
        withThreeLines(f);
        f.command(QStringLiteral("0"));
        QVERIFY(f.auctionRoom().isLoaded());
        const QStringList before = f.lines(f.marketWindow().boxesList());
        QTest::keyClicks(f.consoleWindow().commandLineEdit(), QStringLiteral("0"));
        QTest::keyClick(f.consoleWindow().commandLineEdit(), Qt::Key_Return);
        QCOMPARE(f.lines(f.marketWindow().boxesList()), before);
    }

    // "sell" chooses the first won box and hands the focus to its list; with
    // none, the focus stays at the command line.
    void sellChoosesTheFirstWonBoxAndTakesTheFocus()
    {
        GameFixture f;
        f.start();
        f.command(QStringLiteral("sell"));
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
        f.addWonBox(QStringLiteral("Box numero:1 - Prezzo:1500 \u20AC"));
        f.addWonBox(QStringLiteral("Box numero:2 - Prezzo:2500 \u20AC"));
        selectRow(f.wonBoxesWindow().boxesList(), 1);
        f.command(QStringLiteral("Sell"));
        QCOMPARE(selectedRow(f.wonBoxesWindow().boxesList()), 0);
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget *>(f.wonBoxesWindow().boxesList()));
    }

    // The room, as the console opens it: its log shows its end, and the console
    // and the market take no input.
    void anAuctionRoomLocksTheConsoleAndTheMarket()
    {
        GameFixture f;
        f.start();
        f.market().tickTimer().setEnabled(false);
        f.fillMarket(3);
        f.command(QStringLiteral("2"));
        QVERIFY(f.auctionRoom().logView()->isCaretAtEnd());
        QVERIFY(!f.consoleWindow().isEnabled());
        QVERIFY(!f.marketWindow().isEnabled());
    }

    void altGBidsLikeEnter()
    {
        GameFixture f;
        withThreeLines(f);
        f.command(QStringLiteral("0"));
        f.random.script({0.0f, 0.0f}); // the rivals raise by 1
        f.advance(1350);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.auctionRoom().logView()));
        QTest::keyClick(f.auctionRoom().logView(), Qt::Key_G, Qt::AltModifier);
        QCOMPARE(f.auctionRoom().priceLineEdit()->text(), QStringLiteral("1101"));
    }

    void escapeInTheRoomEmptiesTheCommandLineButCannotFocusALockedConsole()
    {
        GameFixture f;
        withThreeLines(f);
        f.command(QStringLiteral("0"));
        f.consoleWindow().commandLineEdit()->setText(QStringLiteral("12"));
        f.auctionRoom().logView()->setFocus();
        QTest::keyClick(f.auctionRoom().logView(), Qt::Key_Escape);
        QCOMPARE(f.consoleWindow().commandLineEdit()->text(), QString());
        QVERIFY(QApplication::focusWidget() != f.consoleWindow().commandLineEdit());
    }

    // Enter in the room presses the bid button only while it is on: not after
    // the opening bid, but once the countdown has started.
    void enterInTheRoomBidsOnlyWhileTheBidButtonIsOn()
    {
        GameFixture f;
        withThreeLines(f);
        f.command(QStringLiteral("0"));
        QVERIFY(!f.auctionRoom().bidButton()->isEnabled());
        f.pressEnter(f.auctionRoom().logView());
        QCOMPARE(f.auction().price(), QStringLiteral("1000"));
        f.random.script({0.0f, 0.0f}); // the rivals raise by 1
        f.advance(1000 + 350);
        QVERIFY(f.auctionRoom().bidButton()->isEnabled());
        f.pressEnter(f.auctionRoom().logView());
        QCOMPARE(f.auctionRoom().priceLineEdit()->text(), QStringLiteral("1101"));
    }

    // Closing the room lets go of the console and the market, and the player
    // is back at the command line.
    void closingTheRoomUnlocksAndFocusesTheCommandLine()
    {
        GameFixture f;
        withThreeLines(f);
        f.command(QStringLiteral("0"));
        QCOMPARE(f.auctionRoom().caption(), QStringLiteral("Inizio Asta..."));
        QCOMPARE(f.auctionRoom().top(), 1005.0);
        QCOMPARE(f.auctionRoom().left(), 1005.0);
        QVERIFY(f.auctionRoom().bidButton()->y() < -1000);
        f.auction().close();
        f.settle();
        QVERIFY(!f.auctionRoom().isLoaded());
        QVERIFY(f.consoleWindow().body()->isEnabled());
        QVERIFY(f.marketWindow().body()->isEnabled());
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
    }

    void openingWithNothingToOpenOnlyMovesTheFocus()
    {
        GameFixture f;
        withWonBoxes(f, {});
        f.wonBoxesWindow().boxesList()->setFocus();
        f.pressEnter(f.wonBoxesWindow().boxesList());
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
        QCOMPARE(f.consoleText(), QStringLiteral("Il tuo Capitale:20000 \u20AC\r\n"));
        QVERIFY(f.sound.cues().isEmpty());

        // A list with no line selected behaves the same.
        f.addWonBox(wonBox(1, 1500));
        f.wonBoxesWindow().boxesList()->setFocus();
        f.pressEnter(f.wonBoxesWindow().boxesList());
        QCOMPARE(f.wonBoxesWindow().boxesList()->count(), 1);
        QCOMPARE(f.capital(), QStringLiteral("20000"));
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
    }

    void sellThenEnterOpensTheOldestBox()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500)});
        selectRow(f.wonBoxesWindow().boxesList(), 1);
        f.command(QStringLiteral("sell"));
        f.random.script({0.0f, 0.0f});
        f.pressEnter(QApplication::focusWidget());
        QCOMPARE(f.lines(f.wonBoxesWindow().boxesList()), QStringList({wonBox(2, 2500)}));
        QVERIFY(f.consoleText().startsWith(QStringLiteral("\r\nHai Pagato:1500")));
    }

    void escapeInTheWonBoxesEmptiesTheCommandLine()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500)});
        f.type(QStringLiteral("99"));
        f.wonBoxesWindow().boxesList()->setFocus();
        QTest::keyClick(f.wonBoxesWindow().boxesList(), Qt::Key_Escape);
        QCOMPARE(f.consoleWindow().commandLineEdit()->text(), QString());
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
    }

    void aRefusedOfferDuringAnAuctionKeepsTheConsoleLocked()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500)});
        f.market().addBox(
            boxOf(QStringLiteral("Box numero:0 - Nome Asta:A - Prezzo:2000") + kEuro));
        scriptOffer(f, 0, 1, 5);
        f.command(QStringLiteral("0"));
        f.advance(1);
        OfferDialog *offer = f.offerDialog();
        QVERIFY(offer && f.auctionRoom().isLoaded());
        QTest::keyClick(offer->offerView(), Qt::Key_Escape);
        f.settle();
        QVERIFY(!f.offer());
        QVERIFY(!f.consoleWindow().isEnabled());
        QVERIFY(!f.marketWindow().isEnabled());
        QVERIFY(f.wonBoxesWindow().isEnabled());

        f.random.script({0.9f}); // the rivals give up
        f.advance(999);
        f.random.script({0.9f, 0.0f, 0.0f}); // the buyer's tick after the room closes: no offer
        f.advance(3001);
        QVERIFY(!f.auctionRoom().isLoaded());
        QVERIFY(f.consoleWindow().isEnabled());
        QVERIFY(f.marketWindow().isEnabled());
    }

    void everyRefusalLeavesEverythingAsItWas_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("escape") << 0;
        QTest::newRow("label") << 1;
        QTest::newRow("ten seconds") << 2;
    }

    void everyRefusalLeavesEverythingAsItWas()
    {
        QFETCH(int, way);
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500)});
        OfferDialog *offer = makeOffer(f, 1, 5);
        const QString console = f.consoleText();
        if (way == 0) {
            QTest::keyClick(offer->offerView(), Qt::Key_Escape);
        } else if (way == 1) {
            QTest::mouseClick(offer->refuseLabel(), Qt::LeftButton);
        } else {
            f.advance(9999);
            QVERIFY(f.offer());
            f.advance(1); // ten seconds after the offer was made
        }
        f.settle();
        QVERIFY(!f.offer());
        QCOMPARE(f.consoleText(), console);
        QCOMPARE(f.capital(), QStringLiteral("20000"));
        QCOMPARE(f.wonBoxesWindow().boxesList()->count(), 2);
        QVERIFY(f.sound.cues().isEmpty());
        QVERIFY(f.consoleWindow().isEnabled() && f.marketWindow().isEnabled()
                && f.wonBoxesWindow().isEnabled());
    }

    // A double click opens the box under the pointer; the player is then back
    // at the command line, whose log shows its end.
    void doubleClickingABoxOpensItAndHandsBackToTheCommandLine()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 5432), wonBox(3, 2000)});
        QListWidget *list = f.wonBoxesWindow().boxesList();
        const QRect rect = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        f.settle();
        QCOMPARE(f.lines(list), QStringList({wonBox(1, 1500), wonBox(3, 2000)}));
        QCOMPARE(f.wonBoxesWindow().priceLineEdit()->text(), QStringLiteral("5432"));
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
        QVERIFY(f.consoleWindow().logView()->isCaretAtEnd());
    }

    // An offer locks the console, the market and the won boxes (not the menu)
    // and takes the focus; Enter accepts and hands back to the command line.
    void anOfferLocksTheGameWindowsUntilItIsAccepted()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500), wonBox(3, 5432)});
        OfferDialog *offer = makeOffer(f, 2, 17);
        QVERIFY(offer);
        QCOMPARE(offer->caption(), QStringLiteral("Un'offerta da non poter rifiutare..."));
        QCOMPARE(offer->priceLineEdit()->text(), QStringLiteral("5449"));
        QCOMPARE(offer->positionLineEdit()->text(), QStringLiteral("2"));
        QVERIFY(!f.consoleWindow().isEnabled() && !f.marketWindow().isEnabled()
                && !f.wonBoxesWindow().isEnabled());
        QVERIFY(f.frame->menuBar()->isEnabled());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(offer->offerView()));
        f.pressEnter(offer->offerView());
        QVERIFY(!f.offerDialog());
        QCOMPARE(f.capital(), QStringLiteral("25449"));
        QVERIFY(f.consoleWindow().isEnabled() && f.marketWindow().isEnabled()
                && f.wonBoxesWindow().isEnabled());
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
    }

    // Ctrl+Tab, F6 and their Shift forms visit every open window that takes
    // input, each at its main control; the buttons out of view never get the
    // focus.
    void ctrlTabAndF6VisitEveryOpenWindow()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500)});
        QWidget *command = f.consoleWindow().commandLineEdit();
        QWidget *won = f.wonBoxesWindow().boxesList();
        QWidget *market = f.marketWindow().boxesList();
        command->setFocus();
        const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
            return QApplication::focusWidget();
        };
        QCOMPARE(press(Qt::Key_Tab, Qt::ControlModifier), won);
        QCOMPARE(press(Qt::Key_Tab, Qt::ControlModifier), market);
        QCOMPARE(press(Qt::Key_F6, Qt::NoModifier), command);
        QCOMPARE(press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier), market);
        QCOMPARE(press(Qt::Key_F6, Qt::ShiftModifier), won);
        QCOMPARE(f.frame->area().activeSubWindow(), f.wonBoxesWindow().subWindow());

        // While an auction runs, the console and the market are locked.
        f.fillMarket(1);
        f.command(QStringLiteral("0"));
        QWidget *room = f.auctionRoom().logView();
        QCOMPARE(QApplication::focusWidget(), room);
        QCOMPARE(press(Qt::Key_Tab, Qt::ControlModifier), won);
        QCOMPARE(press(Qt::Key_Tab, Qt::ControlModifier), room);
        // Nor Tab nor a click ever gives the focus to a button out of view.
        for (QPushButton *button : {f.consoleWindow().runButton(), f.auctionRoom().bidButton(),
                                    f.wonBoxesWindow().openButton()})
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }

    // A screen reader hears each event as one message, wherever the focus is.
    void eventsAreAnnouncedWithoutMovingTheFocus()
    {
        GameFixture f;
        withThreeLines(f);
        QStringList said;
        const auto heard = [&said] {
            QApplication::processEvents();
            return std::exchange(said, {});
        };
        heard(); // what the start said
        QObject::connect(&f.desk->announcer(), &Announcer::announced,
                         [&said](const QString &message) { said.append(message); });
        QWidget *command = f.consoleWindow().commandLineEdit();
        for (int tick = 0; tick < 11; ++tick) {
            f.random.script({0.0f}); // at the tax's tick, a tax of 1
            f.market().tick();
        }
        QCOMPARE(heard(), QStringList{QStringLiteral("Tax:1\nIl tuo Capitale:49999") + kEuro});

        // The room is heard as it ends up once it has opened.
        f.command(QStringLiteral("0"));
        QCOMPARE(heard(), QStringList{f.auction().log().trimmed().replace(u'\r', QString())});
        f.random.script({0.0f, 0.0f}); // the rivals raise by 1
        f.advance(1000);
        QCOMPARE(heard(), QStringList{QStringLiteral("Rilanciano di .... 1001") + kEuro});
        f.advance(350);
        QCOMPARE(heard(), QStringList{QStringLiteral("1001 \u20AC... e 1!")});
        f.random.script({0.9f}); // after a bid, they give up
        f.pressEnter(f.auctionRoom().logView());
        QCOMPARE(heard(), QStringList{QStringLiteral("Offri .... 1101") + kEuro});
        f.advance(1000);
        QCOMPARE(heard(),
                 QStringList{QStringLiteral("Asta chiusa. Il box \u00E8 tuo!\n"
                                            "Costo complessivo del Box: -1101")
                             + kEuro + QStringLiteral("\nIl tuo capitale attuale: 48898") + kEuro});
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.auctionRoom().logView()));

        f.advance(3000); // the room closes
        heard();
        command->setFocus();
        QTest::keyClick(command, Qt::Key_F2);
        QCOMPARE(heard(), QStringList{QStringLiteral("Capitale: 48898 \u20AC, 1 box vinto")});
        QCOMPARE(QApplication::focusWidget(), command);
        // A capital typed as words is told as typed, placeholders included.
        f.console().setCapital(Amount::typed(QStringLiteral("%2 %3")));
        QTest::keyClick(command, Qt::Key_F2);
        QCOMPARE(heard(), QStringList{QStringLiteral("Capitale: %2 %3 \u20AC, 1 box vinto")});
    }

    void anOfferIsAnnouncedAsItAppears()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500)});
        QStringList said;
        QApplication::processEvents(); // what the start said
        QObject::connect(&f.desk->announcer(), &Announcer::announced,
                         [&said](const QString &message) { said.append(message); });
        QVERIFY(makeOffer(f, 0, 200));
        QApplication::processEvents();
        QCOMPARE(said,
                 QStringList{wonBox(1, 1500).trimmed()
                             + QStringLiteral("\nTi offro ... 1500 + 200\nVuoi vendere?")});
        // The dialog takes the focus, and its text view's description tells
        // the offer too, for a screen reader that dropped the notice.
        QCOMPARE(f.desk->offerDialogs().front()->offerView()->accessibleDescription(),
                 wonBox(1, 1500).trimmed()
                     + QStringLiteral(" Ti offro ... 1500 + 200 Vuoi vendere? "
                                      "Invio accetta, Esc rifiuta"));
    }

    // P pauses where it types nothing; while paused nothing ticks, the game's
    // windows take no input, and the main window says so.
    void pKeyPausesAndResumesWhereItTypesNothing()
    {
        GameFixture f;
        f.start();
        f.frame->show();
        QVERIFY(QTest::qWaitForWindowActive(f.frame.get()));
        QStringList said;
        QObject::connect(&f.desk->announcer(), &Announcer::announced,
                         [&said](const QString &message) { said.append(message); });
        QLineEdit *command = f.consoleWindow().commandLineEdit();
        command->setFocus();
        QTest::keyClick(command, Qt::Key_P);
        QCOMPARE(command->text(), QStringLiteral("p"));
        QVERIFY(!f.game->time().isPaused());

        ListBox *market = f.marketWindow().boxesList();
        market->setFocus();
        QTest::keyClick(market, Qt::Key_P);
        QApplication::processEvents();
        QVERIFY(f.game->time().isPaused());
        QVERIFY(f.frame->pauseAction()->isChecked());
        QCOMPARE(f.frame->windowTitle(), QStringLiteral("Marvesto (in pausa)"));
        QVERIFY(f.frame->findChild<QLabel *>(QStringLiteral("pausedCaption"))->isVisible());
        QVERIFY(!f.marketWindow().isEnabled() && !f.consoleWindow().isEnabled()
                && !f.wonBoxesWindow().isEnabled());
        const int lines = market->count();
        f.advance(30000);
        QCOMPARE(market->count(), lines);

        QTest::keyClick(f.frame.get(), Qt::Key_Pause);
        QVERIFY(!f.game->time().isPaused());
        QCOMPARE(f.frame->windowTitle(), QStringLiteral("Marvesto"));
        QVERIFY(f.marketWindow().isEnabled() && f.consoleWindow().isEnabled());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(market));
        f.advance(1000);
        QCOMPARE(market->count(), lines + 1);
        QApplication::processEvents();
        QCOMPARE(said, (QStringList{QStringLiteral("Pausa"), QStringLiteral("Ripresa")}));

        // A minimized game pauses; the speed menu sets how slow it runs.
        f.frame->showMinimized();
        QApplication::processEvents();
        QVERIFY(f.game->time().isPaused());
        f.frame->speedActions()->actions().at(2)->trigger();
        QCOMPARE(f.game->time().speed(), Speed::VerySlow);
    }

    // "Record" heads the "?" menu, Ctrl+R: a window beside the game, which
    // goes on. It shows the ten best by highest capital, sortable by each
    // column, the running game's curve as a sentence, and, once, that a file
    // that did not read was set aside.
    void theRecordsWindowShowsTheBestAndTheCurve()
    {
        GameFixture f;
        const QString path = f.folder.filePath(QStringLiteral("records.json"));
        QFile broken(path);
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("{") == 1);
        broken.close();
        RecordsFile file(path, [] { return VirtualClock::kWallStart; });
        for (int i = 0; i < 12; ++i) {
            GameRecord r;
            r.player = QString(QChar(u'A' + i));
            r.started = VirtualClock::kWallStart;
            r.highestCapital = 1000 * ((i * 5) % 12);
            QVERIFY(file.add(r));
        }
        f.game->keepRecordsIn(&file);
        f.start(QStringLiteral("Tester"), QStringLiteral("10000"));
        f.market().tickTimer().setEnabled(false);
        f.advance(7 * 60000);
        f.console().setCapital(Amount(16100));
        f.advance(60000);
        f.console().setCapital(Amount(14250));

        auto *action = f.frame->findChild<QAction *>(QStringLiteral("recordsAction"));
        QVERIFY(action);
        QCOMPARE(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+R")));
        QCOMPARE(f.frame->helpMenu()->actions().value(0), action);
        action->trigger();
        RecordsWindow *window = f.desk->recordsWindow();
        QVERIFY(window && window->isVisible() && !window->isModal());
        QCOMPARE(window->windowTitle(), QStringLiteral("Record"));
        QVERIFY(window->noticeLabel()->isVisible());
        QVERIFY(window->noticeLabel()->text().contains(QStringLiteral("records.broken-")));

        const QAbstractItemModel *table = window->recordsTable()->model();
        QCOMPARE(table->rowCount(), 10);
        const auto cell = [table](int row, int column) {
            return table->index(row, column).data().toString();
        };
        QCOMPARE(cell(0, RecordsModel::HighestCapital), QStringLiteral("11000") + kEuro);
        QCOMPARE(cell(9, RecordsModel::HighestCapital), QStringLiteral("2000") + kEuro);
        window->recordsTable()->sortByColumn(RecordsModel::Player, Qt::AscendingOrder);
        QCOMPARE(cell(0, RecordsModel::Player), QStringLiteral("B"));
        QCOMPARE(cell(9, RecordsModel::Player), QStringLiteral("L"));

        const CapitalCurve *curve = window->capitalCurve();
        QCOMPARE(curve->accessibleDescription(),
                 QStringLiteral("Capitale da 10000 \u20AC a 14250 \u20AC, massimo 16100 \u20AC "
                                "al minuto 7"));
        // The game goes on, and the curve with it.
        QVERIFY(!f.game->time().isPaused());
        f.market().tickTimer().setEnabled(true);
        f.advance(1000);
        QCOMPARE(f.market().count(), 1);
        f.console().setCapital(Amount(20000));
        QVERIFY(curve->accessibleDescription().endsWith(
            QStringLiteral("massimo 20000 \u20AC al minuto 8")));

        window->close();
        f.desk->showRecords();
        QVERIFY(!window->noticeLabel()->isVisible());
    }

    // Left alone, the game repaints the market's list at each tick, only the
    // part of its scroll bar where the slider moved, and no other window. What
    // the window shows stays what a full repaint draws.
    void anIdleMarketTickRepaintsNoOtherWindow()
    {
        GameFixture f;
        f.start();
        for (int tick = 0; tick < 25; ++tick) { // more lines than the list shows
            f.advance(Market::kTickMs);
            QApplication::processEvents();
        }
        QVERIFY(f.desk->caretRest().isResting()); // no blinking caret either
        ListBox *list = f.marketWindow().boxesList();
        QScrollBar *bar = list->verticalScrollBar();
        QWidget *market = f.marketWindow().subWindow();
        int ticksSeen = 0;
        for (int tick = 0; tick < 2 * Market::kTaxEveryTicks; ++tick) {
            const QString console = f.consoleText();
            const int value = bar->value();
            PaintCounter counter;
            f.advance(Market::kTickMs);
            QApplication::processEvents(); // the repaints Qt posted
            QVERIFY(bar->value() > value); // the view followed the new line
            if (f.consoleText() != console)
                continue; // a tax: the console shows it
            ++ticksSeen;
            QVERIFY(counter.painted.count(list->viewport()));
            for (const auto &[widget, region] : counter.painted) {
                QVERIFY2(market->isAncestorOf(widget),
                         qPrintable(widget->objectName() + QLatin1Char(' ')
                                    + QLatin1String(widget->metaObject()->className())));
            }
            const QRegion barPainted = counter.painted[bar];
            QVERIFY(!barPainted.isEmpty());
            int barArea = 0;
            for (const QRect &part : barPainted)
                barArea += part.width() * part.height();
            QVERIFY(barArea < bar->width() * bar->height() / 2);
            QCOMPARE(shownOnScreen(bar),
                     bar->grab().toImage().convertToFormat(QImage::Format_RGB32));
        }
        QVERIFY(ticksSeen >= Market::kTaxEveryTicks);
        // Drawn in strips, the bar looks as Qt's own draws it.
        QScrollBar plain(Qt::Vertical, bar->parentWidget());
        plain.setGeometry(bar->geometry());
        plain.setRange(bar->minimum(), bar->maximum());
        plain.setPageStep(bar->pageStep());
        plain.setValue(bar->value());
        QCOMPARE(bar->grab().toImage(), plain.grab().toImage());
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
