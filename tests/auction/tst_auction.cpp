#include "fixture.h"

#include <QMdiArea>
#include <QTest>
#include <QWindow>

using namespace marvesto;
using namespace marvesto::test;

namespace {

const QString kEuro = QStringLiteral(" \u20AC");
constexpr float kGiveUp = 0.825f; // the rivals' draw 17
constexpr float kRaise = 0.0f;    // the rivals' draw 1

float raiseBy(int amount)
{
    return (amount - 1 + 0.5f) / 300;
}

// A started game whose market holds exactly the given line, auctioned at once.
void openAuctionFor(GameFixture &f, const QString &line, const QString &capital = QStringLiteral("50000"))
{
    f.start(QStringLiteral("Anna"), capital);
    f.market().tickTimer().setEnabled(false);
    f.market().addLine(line);
    f.command(QStringLiteral("0"));
}

} // namespace

class TestAuction : public QObject {
    Q_OBJECT

private slots:
    void openingLocksTheConsoleAndMarketAndBidsNothingYet()
    {
        GameFixture f;
        const QString line = QStringLiteral("Box numero:7 - Nome Asta:K - Prezzo:4821") + kEuro;
        openAuctionFor(f, line);
        QCOMPARE(f.auctionRoom().caption(), QStringLiteral("Inizio Asta..."));
        QCOMPARE(f.auctionRoom().top(), 1005.0);
        QCOMPARE(f.auctionRoom().left(), 1005.0);
        QVERIFY(!f.consoleWindow().body()->isEnabled());
        QVERIFY(!f.marketWindow().body()->isEnabled());
        QVERIFY(f.auctionRoom().bidButton()->y() < -1000);
        QVERIFY(!f.auctionRoom().bidButton()->isEnabled());
        QCOMPARE(f.auctionRoom().logView()->text(), line + QStringLiteral("\r\n"));
        QCOMPARE(f.auctionRoom().priceLineEdit()->text(), QStringLiteral("4821"));
        QCOMPARE(f.sound.cues(), QStringList({"5"}));
        QCOMPARE(f.sound.paths.first(), f.folder.path() + QStringLiteral("/Sound/5.wav"));
        QVERIFY(f.auction().rivalsTimer().isEnabled());
    }

    void theRivalsGivingUpAtOnceSellAtTheAskingPrice()
    {
        GameFixture f;
        const QString line = QStringLiteral("Box numero:7 - Nome Asta:K - Prezzo:5600") + kEuro;
        openAuctionFor(f, line);
        f.random.script({kGiveUp});
        f.advance(999);
        QCOMPARE(f.wonBoxesWindow().boxesList()->count(), 0);
        f.advance(1);
        QCOMPARE(f.auctionRoom().logView()->text(),
                 line + QStringLiteral("\r\nAsta chiusa. Il box \u00E8 tuo!\r\n"));
        QCOMPARE(f.consoleText(), QStringLiteral("Il tuo Capitale:50000 \u20AC\r\n"
                                                 "Costo complessivo del Box: -5600 \u20AC\r\n"
                                                 "\r\n"
                                                 "Il tuo capitale attuale: 44400 \u20AC\r\n"));
        QCOMPARE(f.capital(), QStringLiteral("44400"));
        QCOMPARE(f.lines(f.wonBoxesWindow().boxesList()), QStringList({"Box numero:7 - Prezzo:5600 \u20AC"}));
        QCOMPARE(f.sound.cues(), QStringList({"5", "2"}));
    }

    void twoDigitBoxNumbersLeaveTwoBlanks()
    {
        GameFixture f;
        openAuctionFor(f, QStringLiteral("Box numero:12 - Nome Asta:B - Prezzo:5600") + kEuro);
        f.random.script({kGiveUp});
        f.advance(1000);
        QCOMPARE(f.lines(f.wonBoxesWindow().boxesList()), QStringList({"Box numero:12  Prezzo:5600 \u20AC"}));
    }

    void aWinIsChargedBelowZeroToo()
    {
        GameFixture f;
        openAuctionFor(f, QStringLiteral("Box numero:1 - Nome Asta:B - Prezzo:9000") + kEuro,
                       QStringLiteral("1000"));
        f.random.script({kGiveUp});
        f.advance(1000);
        QCOMPARE(f.capital(), QStringLiteral("-8000"));
    }

    void aFinalPriceBeyondSixteenBitsIsChargedInFull()
    {
        GameFixture f;
        openAuctionFor(f, QStringLiteral("Box numero:3 - Nome Asta:K - Prezzo:40000") + kEuro);
        f.random.script({kGiveUp});
        f.advance(1000);
        QVERIFY(f.consoleText().contains(QStringLiteral("Costo complessivo del Box: -40000 \u20AC\r\n")));
        QCOMPARE(f.capital(), QStringLiteral("10000"));
        QCOMPARE(f.lines(f.wonBoxesWindow().boxesList()), QStringList({"Box numero:3 - Prezzo:40000 \u20AC"}));
    }

    void aRaiseStartsTheCountdownAndTheThirdTickLoses()
    {
        GameFixture f;
        const QString line = QStringLiteral("Box numero:4 - Nome Asta:D - Prezzo:5000") + kEuro;
        openAuctionFor(f, line);
        f.random.script({kRaise, raiseBy(300)});
        f.advance(1000);
        QCOMPARE(f.auctionRoom().logView()->text(), line + QStringLiteral("\r\nRilanciano di .... 5300 \u20AC\r\n"));
        QVERIFY(f.auction().countdownTimer().isEnabled());
        // Before the first countdown tick the bid button is still off.
        f.advance(349);
        f.pressEnter(f.auctionRoom().logView());
        QCOMPARE(f.auctionRoom().priceLineEdit()->text(), QStringLiteral("5300"));
        f.advance(1);
        QCOMPARE(f.auction().countdown(), 1);
        QVERIFY(f.auctionRoom().bidButton()->isEnabled());
        f.advance(700);
        QCOMPARE(f.auctionRoom().logView()->text(), line
                     + QStringLiteral("\r\nRilanciano di .... 5300 \u20AC\r\n"
                                      "5300 \u20AC... e 1!\r\n"
                                      "5300 \u20AC... e 2!\r\n"
                                      "5300 \u20AC... e 3!\r\n"
                                      "Asta chiusa. Hai perso questo box!\r\n"));
        QVERIFY(!f.auctionRoom().bidButton()->isEnabled());
        QCOMPARE(f.wonBoxesWindow().boxesList()->count(), 0);
        QCOMPARE(f.capital(), QStringLiteral("50000"));
        QCOMPARE(f.consoleText(), QStringLiteral("Il tuo Capitale:50000 \u20AC\r\n"));
        QCOMPARE(f.sound.cues(), QStringList({"5", "1", "1", "1", "1", "2"}));
        // Enter after the loss does nothing.
        f.pressEnter(f.auctionRoom().logView());
        QCOMPARE(f.auctionRoom().priceLineEdit()->text(), QStringLiteral("5300"));
    }

    void enterDuringTheCountdownBidsAndTheRivalsAnswerASecondLater()
    {
        GameFixture f;
        const QString line = QStringLiteral("Box numero:4 - Nome Asta:D - Prezzo:5000") + kEuro;
        openAuctionFor(f, line);
        f.random.script({kRaise, raiseBy(12)});
        f.advance(1000 + 350 + 350); // raise, then two countdown ticks
        f.pressEnter(f.auctionRoom().logView());
        QCOMPARE(f.auctionRoom().priceLineEdit()->text(), QStringLiteral("5112"));
        QVERIFY(f.auctionRoom().logView()->text().endsWith(QStringLiteral("5012 \u20AC... e 2!\r\nOffri .... 5112 \u20AC\r\n")));
        QVERIFY(!f.auctionRoom().bidButton()->isEnabled());
        QVERIFY(!f.auction().countdownTimer().isEnabled());
        f.random.script({kGiveUp});
        f.advance(999);
        QCOMPARE(f.wonBoxesWindow().boxesList()->count(), 0);
        f.advance(1);
        QCOMPARE(f.lines(f.wonBoxesWindow().boxesList()), QStringList({"Box numero:4 - Prezzo:5112 \u20AC"}));
        QCOMPARE(f.capital(), QStringLiteral("44888"));
        QCOMPARE(f.sound.cues(), QStringList({"5", "1", "1", "1", "5", "2"}));
    }

    void altGBidsLikeEnter()
    {
        GameFixture f;
        openAuctionFor(f, QStringLiteral("Box numero:4 - Nome Asta:D - Prezzo:5000") + kEuro);
        f.random.script({kRaise, raiseBy(1)});
        f.advance(1350);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.auctionRoom().logView()));
        QTest::keyClick(f.auctionRoom().logView(), Qt::Key_G, Qt::AltModifier);
        QCOMPARE(f.auctionRoom().priceLineEdit()->text(), QStringLiteral("5101"));
    }

    void theRoomClosesItselfThreeSecondsAfterTheEnd()
    {
        GameFixture f;
        openAuctionFor(f, QStringLiteral("Box numero:7 - Nome Asta:K - Prezzo:5600") + kEuro);
        f.random.script({kGiveUp});
        f.advance(1000);
        f.wonBoxes().offerTimer().setEnabled(false);
        f.advance(2999);
        QVERIFY(f.auctionRoom().isLoaded());
        f.random.script({0.9f, 0.0f, 0.0f}); // the buyer's tick makes no offer
        f.advance(1);
        QVERIFY(!f.auctionRoom().isLoaded());
        QCOMPARE(f.sound.cues().last(), QStringLiteral("3"));
        QVERIFY(f.consoleWindow().body()->isEnabled());
        QVERIFY(f.marketWindow().body()->isEnabled());
        QVERIFY(f.wonBoxes().offerTimer().isEnabled()); // the console's button was pressed
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
        // The next auction starts from the design.
        f.market().addLine(QStringLiteral("Box numero:8 - Nome Asta:K - Prezzo:1234") + kEuro);
        f.command(QStringLiteral("0"));
        QCOMPARE(f.auctionRoom().priceLineEdit()->text(), QStringLiteral("1234"));
        QVERIFY(!f.auction().closingTimer().isEnabled());
    }

    void closingEarlyChargesNothing()
    {
        GameFixture f;
        openAuctionFor(f, QStringLiteral("Box numero:7 - Nome Asta:K - Prezzo:5600") + kEuro);
        f.auction().close();
        f.settle();
        f.advance(5000);
        QCOMPARE(f.capital(), QStringLiteral("50000"));
        QCOMPARE(f.wonBoxesWindow().boxesList()->count(), 0);
        QCOMPARE(f.marketWindow().boxesList()->count(), 0);
        QVERIFY(f.consoleWindow().body()->isEnabled());
    }

    void escapeEmptiesTheCommandLineButCannotFocusALockedConsole()
    {
        GameFixture f;
        openAuctionFor(f, QStringLiteral("Box numero:7 - Nome Asta:K - Prezzo:5600") + kEuro);
        f.consoleWindow().commandLineEdit()->setText(QStringLiteral("12"));
        f.auctionRoom().logView()->setFocus();
        QTest::keyClick(f.auctionRoom().logView(), Qt::Key_Escape);
        QCOMPARE(f.consoleWindow().commandLineEdit()->text(), QString());
        QVERIFY(QApplication::focusWidget() != f.consoleWindow().commandLineEdit());
    }

    void theMarketTaxesDuringAnAuction()
    {
        GameFixture f;
        openAuctionFor(f, QStringLiteral("Box numero:7 - Nome Asta:K - Prezzo:5600") + kEuro);
        f.market().tickTimer().setEnabled(true);
        f.random.script({kRaise, raiseBy(1)});
        f.advance(1000);
        QVERIFY(!f.marketWindow().isEnabled());
        f.advance(10000);
        QVERIFY(f.consoleText().contains(QStringLiteral("Tax:")));
    }
};

QTEST_MAIN(TestAuction)
#include "tst_auction.moc"
