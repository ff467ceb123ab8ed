#include "corefixture.h"

#include <QTest>

using namespace marvesto;
using namespace marvesto::test;

namespace {

const QString kEuro = QStringLiteral(" \u20AC");

void openBox(CoreFixture &f, int row)
{
    QVERIFY(f.wonBoxes().openBox(row));
    f.settle();
}

// Makes an offer the way the game does: a command, then the buyer's tick.
Offer *makeOffer(CoreFixture &f, int position, int extra)
{
    scriptOffer(f, position, f.wonBoxes().count(), extra);
    f.run(QString());
    f.advance(1);
    return f.offer();
}

} // namespace

class TestWonBoxes : public QObject {
    Q_OBJECT

private slots:
    void openingABoxReportsItsValueAndCreditsIt()
    {
        CoreFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 5432), wonBox(3, 2000)});
        f.random.script({kAlmostOne, 3119.5f / 15431});
        openBox(f, 1);
        QCOMPARE(f.consoleText(),
                 QStringLiteral("\r\nHai Pagato:5432 \u20AC\r\n\r\n"
                                "Valore degli oggetti nel Box:3120 \u20AC\r\n\r\n"
                                "Il tuo guadagno \u00E8 stato di:-2312 \u20AC\r\n\r\n"
                                "Il tuo Capitale:23120 \u20AC\r\n"));
        QCOMPARE(f.capital(), QStringLiteral("23120"));
        QCOMPARE(f.wonBoxes().lines(), QStringList({wonBox(1, 1500), wonBox(3, 2000)}));
        QCOMPARE(f.wonBoxes().priceText(), QStringLiteral("5432"));
        QCOMPARE(f.sound.cues(), QStringList({"6"}));
        QCOMPARE(f.random.reseeds, 1);
    }

    void theValueLiesBetweenOneAndPricePlus9999_data()
    {
        QTest::addColumn<float>("u1");
        QTest::addColumn<float>("u2");
        QTest::addColumn<QString>("capital");
        QTest::newRow("lowest") << 0.0f << kAlmostOne << "20001";
        QTest::newRow("highest") << kAlmostOne << kAlmostOne << "35431";
    }
    void theValueLiesBetweenOneAndPricePlus9999()
    {
        QFETCH(float, u1);
        QFETCH(float, u2);
        QFETCH(QString, capital);
        CoreFixture f;
        withWonBoxes(f, {wonBox(2, 5432)});
        f.random.script({u1, u2});
        openBox(f, 0);
        QCOMPARE(f.capital(), capital);
    }

    void pricesOfFourFiveAndSixDigitsReadBack_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("price");
        QTest::newRow("four") << wonBox(7, 5432) << "5432";
        QTest::newRow("five") << wonBox(7, 12345) << "12345";
        QTest::newRow("five, two-digit box")
            << QStringLiteral("Box numero:12  Prezzo:12345 \u20AC") << "12345";
        QTest::newRow("six") << wonBox(7, 123456) << "123456";
    }
    void pricesOfFourFiveAndSixDigitsReadBack()
    {
        QFETCH(QString, line);
        QFETCH(QString, price);
        CoreFixture f;
        withWonBoxes(f, {line});
        f.random.script({0.0f, 0.0f});
        openBox(f, 0);
        QVERIFY(f.consoleText().startsWith(QStringLiteral("\r\nHai Pagato:") + price + kEuro));
        QCOMPARE(f.capital(), QStringLiteral("20001"));
    }

    void noBoxesNoOffer()
    {
        CoreFixture f;
        withWonBoxes(f, {});
        f.run(QString());
        QVERIFY(f.wonBoxes().offerTimer().isEnabled());
        const int drawsBefore = f.random.draws;
        f.advance(1);
        QVERIFY(!f.wonBoxes().offerTimer().isEnabled());
        QCOMPARE(f.random.draws, drawsBefore);
        QVERIFY(!f.offer());
    }

    void theChanceDecides_data()
    {
        QTest::addColumn<int>("chance");
        QTest::addColumn<bool>("offered");
        QTest::newRow("1") << 1 << true;
        QTest::newRow("4") << 4 << true;
        QTest::newRow("5") << 5 << false;
        QTest::newRow("30") << 30 << false;
    }
    void theChanceDecides()
    {
        QFETCH(int, chance);
        QFETCH(bool, offered);
        CoreFixture f;
        withWonBoxes(f, {wonBox(1, 1500)});
        scriptOffer(f, 0, 1, 10, chance);
        f.run(QString());
        f.advance(1);
        QCOMPARE(f.offer() != nullptr, offered);
        QCOMPARE(f.random.scriptedLeft(), 0u); // all three draws are made either way
        QVERIFY(!f.wonBoxes().offerTimer().isEnabled());
    }

    void anOfferShowsTheLineThePriceAndTheExtra()
    {
        CoreFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500), wonBox(3, 5432)});
        Offer *offer = makeOffer(f, 2, 17);
        QVERIFY(offer);
        QCOMPARE(offer->text(),
                 wonBox(3, 5432)
                     + QStringLiteral("\r\nTi offro ... 5432 + 17\r\nVuoi vendere?\r\n"));
        QCOMPARE(offer->price(), QStringLiteral("5449"));
        QCOMPARE(offer->position(), QStringLiteral("2"));
        QVERIFY(offer->patienceTimer().isEnabled());
    }

    void acceptingSellsTheBox()
    {
        CoreFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500), wonBox(3, 5432)});
        Offer *offer = makeOffer(f, 2, 17);
        const QString before = f.consoleText();
        offer->accept();
        f.settle();
        QCOMPARE(f.consoleText(), before + QStringLiteral("\r\nHai guadagnato 5449 \u20AC\r\n"));
        QCOMPARE(f.capital(), QStringLiteral("25449"));
        QCOMPARE(f.wonBoxes().lines(), QStringList({wonBox(1, 1500), wonBox(2, 2500)}));
        QCOMPARE(f.sound.cues(), QStringList({"6"}));
        QVERIFY(!f.offer());
    }

    // Refused by the player or after ten seconds: nothing changes.
    void refusingLeavesEverythingAsItWas()
    {
        CoreFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500)});
        const QString console = f.consoleText();
        makeOffer(f, 1, 5)->refuse();
        f.settle();
        QVERIFY(!f.offer());
        QVERIFY(makeOffer(f, 0, 5));
        f.advance(9999);
        QVERIFY(f.offer());
        f.advance(1);
        QVERIFY(!f.offer());
        QCOMPARE(f.consoleText(), console);
        QCOMPARE(f.capital(), QStringLiteral("20000"));
        QCOMPARE(f.wonBoxes().count(), 2);
        QVERIFY(f.sound.cues().isEmpty());
    }

    void noSecondOfferWhileOneIsOpen()
    {
        CoreFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500)});
        QVERIFY(makeOffer(f, 0, 5));
        scriptOffer(f, 1, 2, 5);
        f.console().runCommand(); // as the auction room does when it closes
        f.advance(1);
        QCOMPARE(f.game->wonBoxes().openOffers().size(), 1u);
    }

    void acceptingAfterTheListChangedSellsTheOfferedBox()
    {
        CoreFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500), wonBox(3, 3500)});
        Offer *offer = makeOffer(f, 2, 5);
        f.wonBoxes().removeLine(0);
        offer->accept();
        f.settle();
        QCOMPARE(f.wonBoxes().lines(), QStringList({wonBox(2, 2500)}));
        QCOMPARE(f.capital(), QStringLiteral("23505"));
    }

    // The player tells won boxes apart by their lines alone: a box that reads
    // the same as the one offered is sold in its place.
    void acceptingSellsABoxThatReadsTheSame()
    {
        CoreFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500)});
        Offer *offer = makeOffer(f, 1, 5);
        f.wonBoxes().removeLine(1);
        f.wonBoxes().addBox({.number = 2, .letter = u'Q', .price = 2500});
        offer->accept();
        f.settle();
        QCOMPARE(f.wonBoxes().lines(), QStringList({wonBox(1, 1500)}));
        QCOMPARE(f.capital(), QStringLiteral("22505"));
    }

    void acceptingABoxThatHasGoneSellsNothing()
    {
        CoreFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500)});
        Offer *offer = makeOffer(f, 1, 5);
        f.wonBoxes().removeLine(1);
        const QString console = f.consoleText();
        offer->accept();
        f.settle();
        QVERIFY(!f.offer());
        QCOMPARE(f.wonBoxes().lines(), QStringList({wonBox(1, 1500)}));
        QCOMPARE(f.capital(), QStringLiteral("20000"));
        QCOMPARE(f.consoleText(), console);
    }

    void largeOffersAreCreditedInFull()
    {
        CoreFixture f;
        withWonBoxes(f, {wonBox(1, 40000)});
        Offer *offer = makeOffer(f, 0, 50);
        QCOMPARE(offer->price(), QStringLiteral("40050"));
        offer->accept();
        f.settle();
        QCOMPARE(f.capital(), QStringLiteral("60050"));
        QVERIFY(f.consoleText().endsWith(QStringLiteral("Hai guadagnato 40050 \u20AC\r\n")));
    }

    void newGameClosesAnOpenOfferWithoutASale()
    {
        CoreFixture f;
        withWonBoxes(f, {wonBox(1, 1500)});
        QVERIFY(makeOffer(f, 0, 5));
        f.dialogs.answerInput(QStringLiteral("B"));
        f.dialogs.answerInput(QStringLiteral("100"));
        f.game->newGame();
        f.settle();
        QVERIFY(!f.offer());
        QCOMPARE(f.capital(), QStringLiteral("100"));
    }
};

// The rules need no window system: a plain QCoreApplication runs them.
QTEST_GUILESS_MAIN(TestWonBoxes)
#include "tst_wonboxes.moc"
