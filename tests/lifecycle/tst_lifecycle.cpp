#include "fixture.h"

#include <QAction>
#include <QMdiArea>
#include <QTest>

using namespace marvesto;
using namespace marvesto::test;

class TestLifecycle : public QObject {
    Q_OBJECT

private slots:
    void startUpOpensAndPlacesTheWindows()
    {
        GameFixture f;
        f.start();
        QVERIFY(f.consoleWindow().isLoaded() && f.marketWindow().isLoaded() && f.wonBoxesWindow().isLoaded());
        QVERIFY(!f.auctionRoom().isLoaded());
        QVERIFY(f.marketWindow().subWindow()->isVisible());
        QCOMPARE(f.marketWindow().top(), 105.0); // 100 twips, to the pixel
        QCOMPARE(f.marketWindow().left(), 0.0);
        QCOMPARE(f.consoleWindow().top(), design::toPixels(f.marketWindow().top() + 5000) * 15.0);
        QCOMPARE(f.consoleWindow().left(), design::toPixels(f.marketWindow().width() / 2.5) * 15.0);
        QCOMPARE(f.wonBoxesWindow().top(), f.marketWindow().top());
        QCOMPARE(f.wonBoxesWindow().left(), design::toPixels(f.marketWindow().width() + 100) * 15.0);
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
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
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
};

QTEST_MAIN(TestLifecycle)
#include "tst_lifecycle.moc"
