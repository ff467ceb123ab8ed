#include "corefixture.h"

#include <QSignalSpy>
#include <QTest>

using namespace marvesto;
using namespace marvesto::test;

class TestConsole : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void aPositionOpensTheAuctionForThatLine_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("position");
        QTest::newRow("2") << "C"
                           << "2" << 2;
        QTest::newRow("1.5 rounds to even") << "C"
                                            << "1.5" << 2;
        QTest::newRow("-0.4") << "C"
                              << "-0.4" << 0;
        QTest::newRow("blanks around") << "C"
                                       << " 1 " << 1;
        QTest::newRow("italian 1,5") << "it_IT"
                                     << "1,5" << 2;
        QTest::newRow("italian 0,5 rounds to even") << "it_IT"
                                                    << "0,5" << 0;
    }
    void aPositionOpensTheAuctionForThatLine()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(int, position);
        QLocale::setDefault(QLocale(locale));
        CoreFixture f;
        withThreeLines(f);
        const QStringList before = f.market().lines();
        f.run(typed);

        QVERIFY(f.auction().isOpen());
        QCOMPARE(f.auction().log(), before[position] + QStringLiteral("\r\n"));
        QCOMPARE(f.auction().price(), QString::number(1000 + 1111 * position));
        QStringList after = before;
        after.removeAt(position);
        QCOMPARE(f.market().lines(), after);
        QCOMPARE(f.console().command(), QString());
    }

    void fourAndFiveDigitPricesAreTakenBack()
    {
        CoreFixture f;
        f.start();
        f.market().tickTimer().setEnabled(false);
        f.market().addBox(
            boxOf(QStringLiteral("Box numero:0 - Nome Asta:C - Prezzo:12345 \u20AC")));
        f.run(QStringLiteral("0"));
        QCOMPARE(f.auction().price(), QStringLiteral("12345"));
    }

    void refusedNumbers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("past the end empties") << "3"
                                              << "";
        QTest::newRow("2.4 is past 2 before rounding") << "2.4"
                                                       << "";
        QTest::newRow("-1 stays as typed") << "-1"
                                           << "-1";
        QTest::newRow("outside 16 bits stays") << "-99999"
                                               << "-99999";
        QTest::newRow("not a number empties") << "abc"
                                              << "";
        QTest::newRow("exponent is not a number") << "1e0"
                                                  << "";
        QTest::newRow("empty line") << ""
                                    << "";
        QTest::newRow("sell with a blank") << " sell"
                                           << "";
    }
    void refusedNumbers()
    {
        QFETCH(QString, typed);
        QFETCH(QString, left);
        CoreFixture f;
        withThreeLines(f);
        const QStringList before = f.market().lines();
        f.run(typed);
        QVERIFY(!f.auction().isOpen());
        QCOMPARE(f.market().lines(), before);
        QCOMPARE(f.console().command(), left);
        // Whatever it says, a command gives buyers a chance.
        QVERIFY(f.wonBoxes().offerTimer().isEnabled());
    }

    void aHugeNumberIsPastTheEnd()
    {
        CoreFixture f;
        withThreeLines(f);
        f.run(QStringLiteral("99999"));
        QCOMPARE(f.console().command(), QString());
        QVERIFY(!f.auction().isOpen());
    }

    void anEmptyMarket()
    {
        CoreFixture f;
        f.start();
        f.market().tickTimer().setEnabled(false);
        f.run(QStringLiteral("0"));
        QCOMPARE(f.console().command(), QString());
        f.run(QStringLiteral("-1"));
        QCOMPARE(f.console().command(), QStringLiteral("-1"));
        QVERIFY(!f.auction().isOpen());
    }

    void positionsMoveUpAfterALineIsTaken()
    {
        CoreFixture f;
        withThreeLines(f);
        f.fillMarket(1); // four lines, numbered 0 to 3
        const QStringList before = f.market().lines();
        f.run(QStringLiteral("1"));
        f.auction().close();
        f.settle();
        f.run(QStringLiteral("2"));
        QCOMPARE(f.auction().log(), before[3] + QStringLiteral("\r\n"));
    }

    void sellInAnyCaseSelectsTheFirstWonBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("sell") << "sell";
        QTest::newRow("SELL") << "SELL";
        QTest::newRow("Sell") << "Sell";
    }
    void sellInAnyCaseSelectsTheFirstWonBox()
    {
        QFETCH(QString, typed);
        CoreFixture f;
        f.start();
        f.addWonBox(QStringLiteral("Box numero:1 - Prezzo:1500 \u20AC"));
        f.addWonBox(QStringLiteral("Box numero:2 - Prezzo:2500 \u20AC"));
        QSignalSpy chosen(&f.console(), &Console::firstWonBoxChosen);
        f.run(typed);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(f.console().command(), QString());
    }

    void sellWithoutWonBoxesOnlyEmptiesTheLine()
    {
        CoreFixture f;
        f.start();
        QSignalSpy chosen(&f.console(), &Console::firstWonBoxChosen);
        f.run(QStringLiteral("sell"));
        QCOMPARE(f.console().command(), QString());
        QCOMPARE(chosen.count(), 0);
    }

    // A console opened again starts as a fresh window does, whatever the
    // player asked for; a command brings the won boxes back if they were closed.
    void aReopenedConsoleStartsFromItsOwnCapital()
    {
        CoreFixture f;
        f.start(QStringLiteral("Anna"), QStringLiteral("123"));
        f.console().setCommand(QStringLiteral("7"));
        f.console().close();
        QVERIFY(!f.console().watchTimer().isEnabled());
        f.console().open();
        QCOMPARE(f.console().capital(), QStringLiteral("50000"));
        QCOMPARE(f.console().title(), QStringLiteral("Manager"));
        QCOMPARE(f.console().log(), QString());
        QCOMPARE(f.console().command(), QString());
        QVERIFY(f.console().watchTimer().isEnabled());

        f.wonBoxes().close();
        f.run(QString());
        QVERIFY(f.wonBoxes().isOpen() && f.wonBoxes().offerTimer().isEnabled());
    }

    // The commands see the market and the won boxes as they are now, each
    // line added, removed or cleared included.
    void commandsFollowTheListsAsTheyChange()
    {
        CoreFixture f;
        withThreeLines(f);
        f.market().removeLine(2);
        f.run(QStringLiteral("2"));
        QVERIFY(!f.auction().isOpen());
        f.market().clearLines();
        f.run(QStringLiteral("0"));
        QVERIFY(!f.auction().isOpen());
        QCOMPARE(f.console().command(), QString());
        f.fillMarket(1);
        f.run(QStringLiteral("0"));
        QVERIFY(f.auction().isOpen());
        QCOMPARE(f.market().count(), 0);

        QSignalSpy chosen(&f.console(), &Console::firstWonBoxChosen);
        f.addWonBox(wonBox(1, 1500));
        f.wonBoxes().removeLine(0);
        f.run(QStringLiteral("sell"));
        f.addWonBox(wonBox(2, 2500));
        f.run(QStringLiteral("sell"));
        QCOMPARE(chosen.count(), 1);
    }
};

// The rules need no window system: a plain QCoreApplication runs them.
QTEST_GUILESS_MAIN(TestConsole)
#include "tst_console.moc"
