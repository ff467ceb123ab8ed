#include "fixture.h"

#include <QTest>

using namespace marvesto;
using namespace marvesto::test;

class TestConsole : public QObject {
    Q_OBJECT

    // A started game with the market timer off and three lines for sale.
    std::unique_ptr<GameFixture> withThreeLines()
    {
        auto f = std::make_unique<GameFixture>();
        f->start();
        f->market().tickTimer().setEnabled(false);
        f->fillMarket(3);
        return f;
    }

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void aPositionOpensTheAuctionForThatLine_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("position");
        QTest::newRow("2") << "C" << "2" << 2;
        QTest::newRow("1.5 rounds to even") << "C" << "1.5" << 2;
        QTest::newRow("-0.4") << "C" << "-0.4" << 0;
        QTest::newRow("blanks around") << "C" << " 1 " << 1;
        QTest::newRow("italian 1,5") << "it_IT" << "1,5" << 2;
        QTest::newRow("italian 0,5 rounds to even") << "it_IT" << "0,5" << 0;
    }
    void aPositionOpensTheAuctionForThatLine()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(int, position);
        QLocale::setDefault(QLocale(locale));
        auto f = withThreeLines();
        const QStringList before = f->lines(f->marketWindow().boxesList());
        f->command(typed);

        QVERIFY(f->auctionRoom().isLoaded());
        QCOMPARE(f->auctionRoom().logView()->text(), before[position] + QStringLiteral("\r\n"));
        QVERIFY(f->auctionRoom().logView()->isCaretAtEnd());
        QCOMPARE(f->auctionRoom().priceLineEdit()->text(), QString::number(1000 + 1111 * position));
        QStringList after = before;
        after.removeAt(position);
        QCOMPARE(f->lines(f->marketWindow().boxesList()), after);
        QCOMPARE(f->consoleWindow().commandLineEdit()->text(), QString());
        QVERIFY(!f->consoleWindow().isEnabled());
        QVERIFY(!f->marketWindow().isEnabled());
    }

    void fourAndFiveDigitPricesAreTakenBack()
    {
        auto f = std::make_unique<GameFixture>();
        f->start();
        f->market().tickTimer().setEnabled(false);
        f->market().addLine(QStringLiteral("Box numero:0 - Nome Asta:C - Prezzo:12345 \u20AC"));
        f->command(QStringLiteral("0"));
        QCOMPARE(f->auctionRoom().priceLineEdit()->text(), QStringLiteral("12345"));
    }

    void refusedNumbers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("past the end empties") << "3" << "";
        QTest::newRow("2.4 is past 2 before rounding") << "2.4" << "";
        QTest::newRow("-1 stays as typed") << "-1" << "-1";
        QTest::newRow("outside 16 bits stays") << "-99999" << "-99999";
        QTest::newRow("not a number empties") << "abc" << "";
        QTest::newRow("exponent is not a number") << "1e0" << "";
        QTest::newRow("empty line") << "" << "";
        QTest::newRow("sell with a blank") << " sell" << "";
    }
    void refusedNumbers()
    {
        QFETCH(QString, typed);
        QFETCH(QString, left);
        auto f = withThreeLines();
        const QStringList before = f->lines(f->marketWindow().boxesList());
        f->command(typed);
        QVERIFY(!f->auctionRoom().isLoaded());
        QCOMPARE(f->lines(f->marketWindow().boxesList()), before);
        QCOMPARE(f->consoleWindow().commandLineEdit()->text(), left);
        // Whatever it says, a command gives buyers a chance.
        QVERIFY(f->wonBoxes().offerTimer().isEnabled());
    }

    void aHugeNumberIsPastTheEnd()
    {
        auto f = withThreeLines();
        f->command(QStringLiteral("99999"));
        QCOMPARE(f->consoleWindow().commandLineEdit()->text(), QString());
        QVERIFY(!f->auctionRoom().isLoaded());
    }

    void anEmptyMarket()
    {
        GameFixture f;
        f.start();
        f.market().tickTimer().setEnabled(false);
        f.command(QStringLiteral("0"));
        QCOMPARE(f.consoleWindow().commandLineEdit()->text(), QString());
        f.command(QStringLiteral("-1"));
        QCOMPARE(f.consoleWindow().commandLineEdit()->text(), QStringLiteral("-1"));
        QVERIFY(!f.auctionRoom().isLoaded());
    }

    void positionsMoveUpAfterALineIsTaken()
    {
        auto f = withThreeLines();
        f->fillMarket(1); // four lines, numbered 0 to 3
        const QStringList before = f->lines(f->marketWindow().boxesList());
        f->command(QStringLiteral("1"));
        f->auction().close();
        f->settle();
        f->command(QStringLiteral("2"));
        QCOMPARE(f->auctionRoom().logView()->text(), before[3] + QStringLiteral("\r\n"));
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
        GameFixture f;
        f.start();
        f.addWonBox(QStringLiteral("Box numero:1 - Prezzo:1500 \u20AC"));
        f.addWonBox(QStringLiteral("Box numero:2 - Prezzo:2500 \u20AC"));
        selectRow(f.wonBoxesWindow().boxesList(), 1);
        f.command(typed);
        QCOMPARE(selectedRow(f.wonBoxesWindow().boxesList()), 0);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.wonBoxesWindow().boxesList()));
        QCOMPARE(f.consoleWindow().commandLineEdit()->text(), QString());
    }

    void sellWithoutWonBoxesOnlyEmptiesTheLine()
    {
        GameFixture f;
        f.start();
        f.command(QStringLiteral("sell"));
        QCOMPARE(f.consoleWindow().commandLineEdit()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
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
        auto f = withThreeLines();
        f->type(QStringLiteral("2"));
        QTest::keyClick(f->consoleWindow().commandLineEdit(), Qt::Key_Escape);
        QCOMPARE(f->consoleWindow().commandLineEdit()->text(), QString());
        QVERIFY(!f->auctionRoom().isLoaded());
        QVERIFY(!f->wonBoxes().offerTimer().isEnabled());
    }

    void aLockedConsoleTakesNoCommand()
    {
        auto f = withThreeLines();
        f->command(QStringLiteral("0"));
        QVERIFY(f->auctionRoom().isLoaded());
        const QStringList before = f->lines(f->marketWindow().boxesList());
        QTest::keyClicks(f->consoleWindow().commandLineEdit(), QStringLiteral("0"));
        QTest::keyClick(f->consoleWindow().commandLineEdit(), Qt::Key_Return);
        QCOMPARE(f->lines(f->marketWindow().boxesList()), before);
    }
};

QTEST_MAIN(TestConsole)
#include "tst_console.moc"
