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
    f.form2().Timer1().setEnabled(false);
    for (const QString &box : boxes)
        f.addWonBox(box);
}

void doubleClickRow(GameFixture &f, int row)
{
    QListWidget *list = f.form4().List1();
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    f.settle();
}

// Makes an offer the way the game does: a command, then the buyer's tick.
Form5 *makeOffer(GameFixture &f, int position, int extra)
{
    scriptOffer(f, position, f.form4().List1()->count(), extra);
    f.command(QString());
    f.advance(1);
    return f.offer();
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
        QCOMPARE(f.lines(f.form4().List1()), QStringList({wonBox(1, 1500), wonBox(3, 2000)}));
        QCOMPARE(f.form4().Text1()->text(), QStringLiteral("5432"));
        QCOMPARE(f.sound.cues(), QStringList({"6"}));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.form1().Text2()));
        QVERIFY(f.game->console().isCaretAtEnd());
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
        f.form4().List1()->setFocus();
        f.pressEnter(f.form4().List1());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.form1().Text2()));
        QCOMPARE(f.consoleText(), QStringLiteral("Il tuo Capitale:20000 \u20AC\r\n"));
        QVERIFY(f.sound.cues().isEmpty());

        // A list with no line selected behaves the same.
        f.addWonBox(wonBox(1, 1500));
        f.form4().List1()->setFocus();
        f.pressEnter(f.form4().List1());
        QCOMPARE(f.form4().List1()->count(), 1);
        QCOMPARE(f.capital(), QStringLiteral("20000"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.form1().Text2()));
    }

    void sellThenEnterOpensTheOldestBox()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500)});
        selectRow(f.form4().List1(), 1);
        f.command(QStringLiteral("sell"));
        f.random.script({0.0f, 0.0f});
        f.pressEnter(QApplication::focusWidget());
        QCOMPARE(f.lines(f.form4().List1()), QStringList({wonBox(2, 2500)}));
        QVERIFY(f.consoleText().startsWith(QStringLiteral("\r\nHai Pagato:1500")));
    }

    void escapeInTheWonBoxesEmptiesTheCommandLine()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500)});
        f.type(QStringLiteral("99"));
        f.form4().List1()->setFocus();
        QTest::keyClick(f.form4().List1(), Qt::Key_Escape);
        QCOMPARE(f.form1().Text2()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.form1().Text2()));
    }

    void noBoxesNoOffer()
    {
        GameFixture f;
        withWonBoxes(f, {});
        f.command(QString());
        QVERIFY(f.form4().Offerte().isEnabled());
        const int drawsBefore = f.random.draws;
        f.advance(1);
        QVERIFY(!f.form4().Offerte().isEnabled());
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
        QVERIFY(!f.form4().Offerte().isEnabled());
    }

    void anOfferShowsTheLineThePriceAndTheExtra()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500), wonBox(3, 5432)});
        Form5 *offer = makeOffer(f, 2, 17);
        QVERIFY(offer);
        QCOMPARE(offer->caption(), QStringLiteral("Un'offerta da non poter rifiutare..."));
        QCOMPARE(offer->Text1()->text(), wonBox(3, 5432) + QStringLiteral("\r\nTi offro ... 5432 + 17\r\nVuoi vendere?\r\n"));
        QCOMPARE(offer->Prezzo()->text(), QStringLiteral("5449"));
        QCOMPARE(offer->Asta()->text(), QStringLiteral("2"));
        QVERIFY(offer->Timer1().isEnabled());
        QVERIFY(!f.form1().isEnabled() && !f.form2().isEnabled() && !f.form4().isEnabled());
        QVERIFY(f.frame->menuBar()->isEnabled());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(offer->Text1()));
    }

    void acceptingSellsTheBox()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500), wonBox(3, 5432)});
        Form5 *offer = makeOffer(f, 2, 17);
        const QString before = f.consoleText();
        f.pressEnter(offer->Text1());
        QCOMPARE(f.consoleText(), before + QStringLiteral("\r\nHai guadagnato 5449 \u20AC\r\n"));
        QCOMPARE(f.capital(), QStringLiteral("25449"));
        QCOMPARE(f.lines(f.form4().List1()), QStringList({wonBox(1, 1500), wonBox(2, 2500)}));
        QCOMPARE(f.sound.cues(), QStringList({"6"}));
        QVERIFY(!f.offer());
        QVERIFY(f.form1().isEnabled() && f.form2().isEnabled() && f.form4().isEnabled());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.form1().Text2()));
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
        Form5 *offer = makeOffer(f, 1, 5);
        const QString console = f.consoleText();
        if (way == 0) {
            QTest::keyClick(offer->Text1(), Qt::Key_Escape);
        } else if (way == 1) {
            QTest::mouseClick(offer->Label2(), Qt::LeftButton);
        } else {
            f.advance(9999);
            QVERIFY(f.offer());
            f.advance(1); // ten seconds after the offer was made
        }
        f.settle();
        QVERIFY(!f.offer());
        QCOMPARE(f.consoleText(), console);
        QCOMPARE(f.capital(), QStringLiteral("20000"));
        QCOMPARE(f.form4().List1()->count(), 2);
        QVERIFY(f.sound.cues().isEmpty());
        QVERIFY(f.form1().isEnabled() && f.form2().isEnabled() && f.form4().isEnabled());
    }

    void aRefusedOfferDuringAnAuctionKeepsTheConsoleLocked()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500)});
        f.form2().List1()->addItem(QStringLiteral("Box numero:0 - Nome Asta:A - Prezzo:2000") + kEuro);
        scriptOffer(f, 0, 1, 5);
        f.command(QStringLiteral("0"));
        f.advance(1);
        Form5 *offer = f.offer();
        QVERIFY(offer && f.form3().isLoaded());
        QTest::keyClick(offer->Text1(), Qt::Key_Escape);
        f.settle();
        QVERIFY(!f.offer());
        QVERIFY(!f.form1().isEnabled());
        QVERIFY(!f.form2().isEnabled());
        QVERIFY(f.form4().isEnabled());

        f.random.script({0.9f});                 // the rivals give up
        f.advance(999);
        f.random.script({0.9f, 0.0f, 0.0f});     // the buyer's tick after the room closes: no offer
        f.advance(3001);
        QVERIFY(!f.form3().isLoaded());
        QVERIFY(f.form1().isEnabled());
        QVERIFY(f.form2().isEnabled());
    }

    void noSecondOfferWhileOneIsOpen()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500)});
        QVERIFY(makeOffer(f, 0, 5));
        scriptOffer(f, 1, 2, 5);
        f.form1().Command1_Click(); // as the auction room does when it closes
        f.advance(1);
        QCOMPARE(f.game->openOffers().size(), 1u);
    }

    void acceptingAfterTheListChangedSellsTheOfferedBox()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500), wonBox(3, 3500)});
        Form5 *offer = makeOffer(f, 2, 5);
        removeRow(f.form4().List1(), 0);
        f.pressEnter(offer->Text1());
        QCOMPARE(f.lines(f.form4().List1()), QStringList({wonBox(2, 2500)}));
        QCOMPARE(f.capital(), QStringLiteral("23505"));
    }

    void acceptingABoxThatHasGoneSellsNothing()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500)});
        Form5 *offer = makeOffer(f, 1, 5);
        removeRow(f.form4().List1(), 1);
        const QString console = f.consoleText();
        f.pressEnter(offer->Text1());
        QVERIFY(!f.offer());
        QCOMPARE(f.lines(f.form4().List1()), QStringList({wonBox(1, 1500)}));
        QCOMPARE(f.capital(), QStringLiteral("20000"));
        QCOMPARE(f.consoleText(), console);
        QVERIFY(f.form1().isEnabled());
    }

    void largeOffersAreCreditedInFull()
    {
        GameFixture f;
        withWonBoxes(f, {wonBox(1, 40000)});
        Form5 *offer = makeOffer(f, 0, 50);
        QCOMPARE(offer->Prezzo()->text(), QStringLiteral("40050"));
        f.pressEnter(offer->Text1());
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
        f.game->NuovaPartita_Click();
        f.settle();
        QVERIFY(!f.offer());
        QCOMPARE(f.capital(), QStringLiteral("100"));
        QVERIFY(f.form1().isEnabled() && f.form2().isEnabled() && f.form4().isEnabled());
    }
};

QTEST_MAIN(TestSales)
#include "tst_sales.moc"
