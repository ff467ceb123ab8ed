#include "corefixture.h"

#include <QTest>

using namespace marvesto;
using namespace marvesto::test;

namespace {
// A draw that gives n from floor(r * range) + offset.
float drawFor(int n, int range, int offset)
{
    return (n - offset + 0.5f) / range;
}
} // namespace

class TestMarket : public QObject {
    Q_OBJECT

private slots:
    void aNewLineEverySecondBuiltFromTheDraws()
    {
        CoreFixture f;
        f.start();
        f.random.script(
            {0.0f, 0.0f, kAlmostOne, kAlmostOne, drawFor('K', 25, 65), drawFor(4821, 9999, 1000)});
        f.advance(3000);
        QCOMPARE(f.market().lines(),
                 QStringList({"Box numero:0 - Nome Asta:A - Prezzo:1000 \u20AC",
                              "Box numero:1 - Nome Asta:Y - Prezzo:10998 \u20AC",
                              "Box numero:2 - Nome Asta:K - Prezzo:4821 \u20AC"}));
        QCOMPARE(f.random.reseeds, 3);
    }

    void theEleventhTickTaxesBeforeAddingItsLine()
    {
        CoreFixture f;
        f.start(QStringLiteral("Anna"), QStringLiteral("50000"));
        f.advance(10000);
        QCOMPARE(f.consoleText(), QStringLiteral("Il tuo Capitale:50000 \u20AC\r\n"));
        f.random.script({drawFor(237, 500, 1), drawFor('B', 25, 65), drawFor(2000, 9999, 1000)});
        f.advance(1000);
        QCOMPARE(f.consoleText(),
                 QStringLiteral("Il tuo Capitale:50000 \u20AC\r\n"
                                "Tax:237\r\n"
                                "Il tuo Capitale:49763 \u20AC\r\n"));
        QCOMPARE(f.capital(), QStringLiteral("49763"));
        QCOMPARE(f.market().line(10),
                 QStringLiteral("Box numero:10 - Nome Asta:B - Prezzo:2000 \u20AC"));
        QCOMPARE(f.market().taxCounter(), 0);
        // And again eleven ticks later, not before.
        f.advance(10000);
        QCOMPARE(f.consoleText().count(QStringLiteral("Tax:")), 1);
        f.advance(1000);
        QCOMPARE(f.consoleText().count(QStringLiteral("Tax:")), 2);
    }

    void taxBoundsAndANegativeResult()
    {
        CoreFixture f;
        f.start(QStringLiteral("Anna"), QStringLiteral("100"));
        f.console().watchTimer().setEnabled(false); // no bankruptcy here
        f.advance(10000);
        f.random.script({kAlmostOne});
        f.advance(1000);
        QCOMPARE(f.capital(), QStringLiteral("-400"));
        QVERIFY(
            f.consoleText().contains(QStringLiteral("Tax:500\r\nIl tuo Capitale:-400 \u20AC\r\n")));
    }

    void aCapitalThatIsNotANumberStaysWhileBothLinesAreWritten()
    {
        CoreFixture f;
        f.start(QStringLiteral("Anna"), QStringLiteral("abc"));
        f.console().watchTimer().setEnabled(false); // no bankruptcy here
        f.advance(11000);
        QCOMPARE(f.capital(), QStringLiteral("abc"));
        QVERIFY(f.consoleText().endsWith(QStringLiteral("\r\nIl tuo Capitale:abc \u20AC\r\n")));
        QVERIFY(f.consoleText().contains(QStringLiteral("Tax:")));
    }

    void aCapitalIsShownAsTypedUntilTheTaxChangesIt()
    {
        CoreFixture f;
        f.start(QStringLiteral("Anna"), QStringLiteral(" 1000 "));
        QCOMPARE(f.consoleText(), QStringLiteral("Il tuo Capitale: 1000  \u20AC\r\n"));
        f.advance(10000);
        QCOMPARE(f.capital(), QStringLiteral(" 1000 "));
        f.random.script({drawFor(237, 500, 1)});
        f.advance(1000);
        QCOMPARE(f.capital(), QStringLiteral("763"));
    }

    void a51LineListIsEmptiedAtTheNextTick()
    {
        CoreFixture f;
        f.start();
        f.advance(51000);
        QCOMPARE(f.market().count(), 51);
        QVERIFY(f.market().line(50).startsWith(QStringLiteral("Box numero:50 ")));
        f.advance(1000);
        QCOMPARE(f.market().count(), 1);
        QVERIFY(f.market().line(0).startsWith(QStringLiteral("Box numero:0 ")));
    }

    void theTaxCounterKeepsCountingAcrossNewGame()
    {
        CoreFixture f;
        f.start();
        f.advance(7000);
        QCOMPARE(f.market().taxCounter(), 7);
        f.dialogs.answerInput(QStringLiteral("B"));
        f.dialogs.answerInput(QStringLiteral("1000"));
        f.game->newGame();
        f.settle();
        QCOMPARE(f.market().taxCounter(), 7);
        f.advance(4000);
        QCOMPARE(f.consoleText().count(QStringLiteral("Tax:")), 1);
        QCOMPARE(f.market().count(), 4);
    }

    void numbersFollowTheCountAfterALineIsTaken()
    {
        CoreFixture f;
        f.start();
        f.advance(3000);
        f.market().removeLine(1);
        f.advance(1000);
        QVERIFY(f.market().line(2).startsWith(QStringLiteral("Box numero:2 ")));
        QVERIFY(f.market().line(1).startsWith(QStringLiteral("Box numero:2 ")));
    }
};

// The rules need no window system: a plain QCoreApplication runs them.
QTEST_GUILESS_MAIN(TestMarket)
#include "tst_market.moc"
