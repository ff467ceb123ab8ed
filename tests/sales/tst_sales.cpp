#include "fixture.h"

#include <QMenuBar>
#include <QTest>

using namespace marvesto;
using namespace marvesto::test;

namespace {

const QString kEuro = QStringLiteral(" \u20AC");

QString wonBox(int number, int price)
{
    return QStringLiteral("Box numero:%1 - Prezzo:%2").arg(number).arg(price) + kEuro;
}

// Draws that make the buyer's tick offer the box at position for price + extra.
void scriptOffer(GameFixture &f, int position, int count, int extra, int chance = 1)
{
    f.random.script({(chance - 0.5f) / 30, (position + 0.5f) / count, (extra - 0.5f) / 50});
}

// A started game, market stopped, with these won boxes listed.
void withWonBoxes(GameFixture &f, const QStringList &boxes, const QString &capital = QStringLiteral("20000"))
{
    f.start(QStringLiteral("Anna"), capital);
    f.market().tickTimer().setEnabled(false);
    for (const QString &box : boxes)
        f.addWonBox(box);
}

void doubleClickRow(GameFixture &f, int row)
{
    QListWidget *list = f.wonBoxesWindow().boxesList();
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    f.settle();
}

// Makes an offer the way the game does: a command, then the buyer's tick.
OfferDialog *makeOffer(GameFixture &f, int position, int extra)
{
    scriptOffer(f, position, f.wonBoxesWindow().boxesList()->count(), extra);
    f.command(QString());
    f.advance(1);
    return f.offerDialog();
}

} // namespace

class TestSales : public QObject {
    Q_OBJECT

private slots:
    void openingABoxReportsItsValueAndCreditsIt()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 5432), wonBox(3, 2000)});
        f.random.script({kAlmostOne, 3119.5f / 15431});
        doubleClickRow(f, 1);
        QCOMPARE(f.consoleText(), QStringLiteral("\r\nHai Pagato:5432 \u20AC\r\n\r\n"
                                                 "Valore degli oggetti nel Box:3120 \u20AC\r\n\r\n"
                                                 "Il tuo guadagno \u00E8 stato di:-2312 \u20AC\r\n\r\n"
                                                 "Il tuo Capitale:23120 \u20AC\r\n"));
        QCOMPARE(f.capital(), QStringLiteral("23120"));
        QCOMPARE(f.lines(f.wonBoxesWindow().boxesList()), QStringList({wonBox(1, 1500), wonBox(3, 2000)}));
        QCOMPARE(f.wonBoxesWindow().priceLineEdit()->text(), QStringLiteral("5432"));
        QCOMPARE(f.sound.cues(), QStringList({"6"}));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
        QVERIFY(f.consoleWindow().logView()->isCaretAtEnd());
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
        GameFixture f;
        withWonBoxes(f, {wonBox(2, 5432)});
        f.random.script({u1, u2});
        doubleClickRow(f, 0);
        QCOMPARE(f.capital(), capital);
    }

    void pricesOfFourFiveAndSixDigitsReadBack_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("price");
        QTest::newRow("four") << wonBox(7, 5432) << "5432";
        QTest::newRow("five") << wonBox(7, 12345) << "12345";
        QTest::newRow("five, two-digit box") << QStringLiteral("Box numero:12  Prezzo:12345 \u20AC") << "12345";
        QTest::newRow("six") << wonBox(7, 123456) << "123456";
    }
    void pricesOfFourFiveAndSixDigitsReadBack()
    {
        QFETCH(QString, line);
        QFETCH(QString, price);
        GameFixture f;
        withWonBoxes(f, {line});
        f.random.script({0.0f, 0.0f});
        doubleClickRow(f, 0);
        QVERIFY(f.consoleText().startsWith(QStringLiteral("\r\nHai Pagato:") + price + kEuro));
        QCOMPARE(f.capital(), QStringLiteral("20001"));
    }

    void openingWithNothingToOpenOnlyMovesTheFocus()
    {
        GameFixture f;
        withWonBoxes(f, {});
        f.wonBoxesWindow().boxesList()->setFocus();
        f.pressEnter(f.wonBoxesWindow().boxesList());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
        QCOMPARE(f.consoleText(), QStringLiteral("Il tuo Capitale:20000 \u20AC\r\n"));
        QVERIFY(f.sound.cues().isEmpty());

        // A list with no line selected behaves the same.
        f.addWonBox(wonBox(1, 1500));
        f.wonBoxesWindow().boxesList()->setFocus();
        f.pressEnter(f.wonBoxesWindow().boxesList());
        QCOMPARE(f.wonBoxesWindow().boxesList()->count(), 1);
        QCOMPARE(f.capital(), QStringLiteral("20000"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
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
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
    }

    void noBoxesNoOffer()
    {
        GameFixture f;
        withWonBoxes(f, {});
        f.command(QString());
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
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500)});
        scriptOffer(f, 0, 1, 10, chance);
        f.command(QString());
        f.advance(1);
        QCOMPARE(f.offer() != nullptr, offered);
        QCOMPARE(f.random.scriptedLeft(), 0u); // all three draws are made either way
        QVERIFY(!f.wonBoxes().offerTimer().isEnabled());
    }

    void anOfferShowsTheLineThePriceAndTheExtra()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500), wonBox(3, 5432)});
        OfferDialog *offer = makeOffer(f, 2, 17);
        QVERIFY(offer);
        QCOMPARE(offer->caption(), QStringLiteral("Un'offerta da non poter rifiutare..."));
        QCOMPARE(offer->offerView()->text(), wonBox(3, 5432) + QStringLiteral("\r\nTi offro ... 5432 + 17\r\nVuoi vendere?\r\n"));
        QCOMPARE(offer->priceLineEdit()->text(), QStringLiteral("5449"));
        QCOMPARE(offer->positionLineEdit()->text(), QStringLiteral("2"));
        QVERIFY(offer->offer().patienceTimer().isEnabled());
        QVERIFY(!f.consoleWindow().isEnabled() && !f.marketWindow().isEnabled() && !f.wonBoxesWindow().isEnabled());
        QVERIFY(f.frame->menuBar()->isEnabled());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(offer->offerView()));
    }

    void acceptingSellsTheBox()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500), wonBox(3, 5432)});
        OfferDialog *offer = makeOffer(f, 2, 17);
        const QString before = f.consoleText();
        f.pressEnter(offer->offerView());
        QCOMPARE(f.consoleText(), before + QStringLiteral("\r\nHai guadagnato 5449 \u20AC\r\n"));
        QCOMPARE(f.capital(), QStringLiteral("25449"));
        QCOMPARE(f.lines(f.wonBoxesWindow().boxesList()), QStringList({wonBox(1, 1500), wonBox(2, 2500)}));
        QCOMPARE(f.sound.cues(), QStringList({"6"}));
        QVERIFY(!f.offer());
        QVERIFY(f.consoleWindow().isEnabled() && f.marketWindow().isEnabled() && f.wonBoxesWindow().isEnabled());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
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
        QVERIFY(f.consoleWindow().isEnabled() && f.marketWindow().isEnabled() && f.wonBoxesWindow().isEnabled());
    }

    void aRefusedOfferDuringAnAuctionKeepsTheConsoleLocked()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500)});
        f.market().addLine(QStringLiteral("Box numero:0 - Nome Asta:A - Prezzo:2000") + kEuro);
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

        f.random.script({0.9f});                 // the rivals give up
        f.advance(999);
        f.random.script({0.9f, 0.0f, 0.0f});     // the buyer's tick after the room closes: no offer
        f.advance(3001);
        QVERIFY(!f.auctionRoom().isLoaded());
        QVERIFY(f.consoleWindow().isEnabled());
        QVERIFY(f.marketWindow().isEnabled());
    }

    void noSecondOfferWhileOneIsOpen()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500)});
        QVERIFY(makeOffer(f, 0, 5));
        scriptOffer(f, 1, 2, 5);
        f.console().runCommand(); // as the auction room does when it closes
        f.advance(1);
        QCOMPARE(f.game->wonBoxes().openOffers().size(), 1u);
    }

    void acceptingAfterTheListChangedSellsTheOfferedBox()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500), wonBox(3, 3500)});
        OfferDialog *offer = makeOffer(f, 2, 5);
        f.wonBoxes().removeLine(0);
        f.pressEnter(offer->offerView());
        QCOMPARE(f.lines(f.wonBoxesWindow().boxesList()), QStringList({wonBox(2, 2500)}));
        QCOMPARE(f.capital(), QStringLiteral("23505"));
    }

    void acceptingABoxThatHasGoneSellsNothing()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500)});
        OfferDialog *offer = makeOffer(f, 1, 5);
        f.wonBoxes().removeLine(1);
        const QString console = f.consoleText();
        f.pressEnter(offer->offerView());
        QVERIFY(!f.offer());
        QCOMPARE(f.lines(f.wonBoxesWindow().boxesList()), QStringList({wonBox(1, 1500)}));
        QCOMPARE(f.capital(), QStringLiteral("20000"));
        QCOMPARE(f.consoleText(), console);
        QVERIFY(f.consoleWindow().isEnabled());
    }

    void largeOffersAreCreditedInFull()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 40000)});
        OfferDialog *offer = makeOffer(f, 0, 50);
        QCOMPARE(offer->priceLineEdit()->text(), QStringLiteral("40050"));
        f.pressEnter(offer->offerView());
        QCOMPARE(f.capital(), QStringLiteral("60050"));
        QVERIFY(f.consoleText().endsWith(QStringLiteral("Hai guadagnato 40050 \u20AC\r\n")));
    }

    void newGameClosesAnOpenOfferWithoutASale()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500)});
        QVERIFY(makeOffer(f, 0, 5));
        f.dialogs.answerInput(QStringLiteral("B"));
        f.dialogs.answerInput(QStringLiteral("100"));
        f.game->newGame();
        f.settle();
        QVERIFY(!f.offer());
        QCOMPARE(f.capital(), QStringLiteral("100"));
        QVERIFY(f.consoleWindow().isEnabled() && f.marketWindow().isEnabled() && f.wonBoxesWindow().isEnabled());
    }
};

QTEST_MAIN(TestSales)
#include "tst_sales.moc"
