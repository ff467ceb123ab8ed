#include "corefixture.h"

#include <QTest>

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
void openAuctionFor(CoreFixture &f, const QString &line,
                    const QString &capital = QStringLiteral("50000"))
{
    f.start(QStringLiteral("Anna"), capital);
    f.market().tickTimer().setEnabled(false);
    f.market().addBox(boxOf(line));
    f.run(QStringLiteral("0"));
}

} // namespace

class TestAuction : public QObject {
    Q_OBJECT

private slots:
    void openingBidsNothingYet()
    {
        CoreFixture f;
        const QString line = QStringLiteral("Box numero:7 - Nome Asta:K - Prezzo:4821") + kEuro;
        openAuctionFor(f, line);
        QVERIFY(!f.auction().canBid());
        QCOMPARE(f.auction().log(), line + QStringLiteral("\r\n"));
        QCOMPARE(f.auction().price(), QStringLiteral("4821"));
        QCOMPARE(f.sound.cues(), QStringList({"5"}));
        QCOMPARE(f.sound.paths.first(), f.folder.path() + QStringLiteral("/Sound/5.wav"));
        QVERIFY(f.auction().rivalsTimer().isEnabled());
    }

    void theRivalsGivingUpAtOnceSellAtTheAskingPrice()
    {
        CoreFixture f;
        const QString line = QStringLiteral("Box numero:7 - Nome Asta:K - Prezzo:5600") + kEuro;
        openAuctionFor(f, line);
        f.random.script({kGiveUp});
        f.advance(999);
        QCOMPARE(f.wonBoxes().count(), 0);
        f.advance(1);
        QCOMPARE(f.auction().log(),
                 line + QStringLiteral("\r\nAsta chiusa. Il box \u00E8 tuo!\r\n"));
        QCOMPARE(f.consoleText(),
                 QStringLiteral("Il tuo Capitale:50000 \u20AC\r\n"
                                "Costo complessivo del Box: -5600 \u20AC\r\n"
                                "\r\n"
                                "Il tuo capitale attuale: 44400 \u20AC\r\n"));
        QCOMPARE(f.capital(), QStringLiteral("44400"));
        QCOMPARE(f.wonBoxes().lines(), QStringList({"Box numero:7 - Prezzo:5600 \u20AC"}));
        QCOMPARE(f.sound.cues(), QStringList({"5", "2"}));
    }

    void twoDigitBoxNumbersLeaveTwoBlanks()
    {
        CoreFixture f;
        openAuctionFor(f, QStringLiteral("Box numero:12 - Nome Asta:B - Prezzo:5600") + kEuro);
        f.random.script({kGiveUp});
        f.advance(1000);
        QCOMPARE(f.wonBoxes().lines(), QStringList({"Box numero:12  Prezzo:5600 \u20AC"}));
    }

    void aWinIsChargedBelowZeroToo()
    {
        CoreFixture f;
        openAuctionFor(f, QStringLiteral("Box numero:1 - Nome Asta:B - Prezzo:9000") + kEuro,
                       QStringLiteral("1000"));
        f.random.script({kGiveUp});
        f.advance(1000);
        QCOMPARE(f.capital(), QStringLiteral("-8000"));
    }

    void aFinalPriceBeyondSixteenBitsIsChargedInFull()
    {
        CoreFixture f;
        openAuctionFor(f, QStringLiteral("Box numero:3 - Nome Asta:K - Prezzo:40000") + kEuro);
        f.random.script({kGiveUp});
        f.advance(1000);
        QVERIFY(f.consoleText().contains(
            QStringLiteral("Costo complessivo del Box: -40000 \u20AC\r\n")));
        QCOMPARE(f.capital(), QStringLiteral("10000"));
        QCOMPARE(f.wonBoxes().lines(), QStringList({"Box numero:3 - Prezzo:40000 \u20AC"}));
    }

    void aRaiseStartsTheCountdownAndTheThirdTickLoses()
    {
        CoreFixture f;
        const QString line = QStringLiteral("Box numero:4 - Nome Asta:D - Prezzo:5000") + kEuro;
        openAuctionFor(f, line);
        f.random.script({kRaise, raiseBy(300)});
        f.advance(1000);
        QCOMPARE(f.auction().log(),
                 line + QStringLiteral("\r\nRilanciano di .... 5300 \u20AC\r\n"));
        QVERIFY(f.auction().countdownTimer().isEnabled());
        // Before the first countdown tick the player cannot bid yet.
        f.advance(349);
        QVERIFY(!f.auction().canBid());
        f.advance(1);
        QCOMPARE(f.auction().countdown(), 1);
        QVERIFY(f.auction().canBid());
        f.advance(700);
        QCOMPARE(f.auction().log(),
                 line
                     + QStringLiteral("\r\nRilanciano di .... 5300 \u20AC\r\n"
                                      "5300 \u20AC... e 1!\r\n"
                                      "5300 \u20AC... e 2!\r\n"
                                      "5300 \u20AC... e 3!\r\n"
                                      "Asta chiusa. Hai perso questo box!\r\n"));
        QVERIFY(!f.auction().canBid());
        QCOMPARE(f.wonBoxes().count(), 0);
        QCOMPARE(f.capital(), QStringLiteral("50000"));
        QCOMPARE(f.consoleText(), QStringLiteral("Il tuo Capitale:50000 \u20AC\r\n"));
        QCOMPARE(f.sound.cues(), QStringList({"5", "1", "1", "1", "1", "2"}));
        QCOMPARE(f.auction().price(), QStringLiteral("5300"));
    }

    void aBidDuringTheCountdownStopsItAndTheRivalsAnswerASecondLater()
    {
        CoreFixture f;
        const QString line = QStringLiteral("Box numero:4 - Nome Asta:D - Prezzo:5000") + kEuro;
        openAuctionFor(f, line);
        f.random.script({kRaise, raiseBy(12)});
        f.advance(1000 + 350 + 350); // raise, then two countdown ticks
        f.auction().bid();
        QCOMPARE(f.auction().price(), QStringLiteral("5112"));
        QVERIFY(f.auction().log().endsWith(
            QStringLiteral("5012 \u20AC... e 2!\r\nOffri .... 5112 \u20AC\r\n")));
        QVERIFY(!f.auction().canBid());
        QVERIFY(!f.auction().countdownTimer().isEnabled());
        f.random.script({kGiveUp});
        f.advance(999);
        QCOMPARE(f.wonBoxes().count(), 0);
        f.advance(1);
        QCOMPARE(f.wonBoxes().lines(), QStringList({"Box numero:4 - Prezzo:5112 \u20AC"}));
        QCOMPARE(f.capital(), QStringLiteral("44888"));
        QCOMPARE(f.sound.cues(), QStringList({"5", "1", "1", "1", "5", "2"}));
    }

    void theRoomClosesItselfThreeSecondsAfterTheEnd()
    {
        CoreFixture f;
        openAuctionFor(f, QStringLiteral("Box numero:7 - Nome Asta:K - Prezzo:5600") + kEuro);
        f.random.script({kGiveUp});
        f.advance(1000);
        f.wonBoxes().offerTimer().setEnabled(false);
        f.advance(2999);
        QVERIFY(f.auction().isOpen());
        f.random.script({0.9f, 0.0f, 0.0f}); // the buyer's tick makes no offer
        f.advance(1);
        QVERIFY(!f.auction().isOpen());
        QCOMPARE(f.sound.cues().last(), QStringLiteral("3"));
        QVERIFY(f.wonBoxes().offerTimer().isEnabled()); // the console's button was pressed
        // The next auction starts from the design.
        f.market().addBox(
            boxOf(QStringLiteral("Box numero:8 - Nome Asta:K - Prezzo:1234") + kEuro));
        f.run(QStringLiteral("0"));
        QCOMPARE(f.auction().price(), QStringLiteral("1234"));
        QVERIFY(!f.auction().closingTimer().isEnabled());
    }

    void closingEarlyChargesNothing()
    {
        CoreFixture f;
        openAuctionFor(f, QStringLiteral("Box numero:7 - Nome Asta:K - Prezzo:5600") + kEuro);
        f.auction().close();
        f.settle();
        f.advance(5000);
        QCOMPARE(f.capital(), QStringLiteral("50000"));
        QCOMPARE(f.wonBoxes().count(), 0);
        QCOMPARE(f.market().count(), 0);
    }

    void theMarketTaxesDuringAnAuction()
    {
        CoreFixture f;
        openAuctionFor(f, QStringLiteral("Box numero:7 - Nome Asta:K - Prezzo:5600") + kEuro);
        f.market().tickTimer().setEnabled(true);
        f.random.script({kRaise, raiseBy(1)});
        f.advance(1000);
        f.advance(10000);
        QVERIFY(f.consoleText().contains(QStringLiteral("Tax:")));
    }
};

// The rules need no window system: a plain QCoreApplication runs them.
QTEST_GUILESS_MAIN(TestAuction)
#include "tst_auction.moc"
