#include "badinput.h"
#include "fixture.h"

#include <QTest>

using namespace marvesto;
using namespace marvesto::test;

// Every bad answer at both prompts and at the console, under an Italian and an English locale.
class TestBadInput : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void theRulesHoldForEveryAnswer_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("capitalKept");
        for (const BadInput &in : badInputs()) {
            QTest::addRow("it %s", in.label)
                << QLocale(QLocale::Italian) << in.text << in.italianCommand << in.italianCapital;
            QTest::addRow("en %s", in.label)
                << QLocale(QLocale::English) << in.text << in.englishCommand << in.englishCapital;
        }
    }
    void theRulesHoldForEveryAnswer()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(int, command);
        QFETCH(bool, capitalKept);
        QLocale::setDefault(locale);
        GameFixture f;

        // Both prompts keep the answer exactly as typed; Cancel gives the defaults.
        f.start(text, text);
        const QString capital = text.isEmpty() ? QStringLiteral("10000") : text;
        QCOMPARE(f.consoleWindow().caption(),
                 QStringLiteral("Manager:") + (text.isEmpty() ? QStringLiteral("Player") : text));
        QCOMPARE(f.capital(), capital);
        QCOMPARE(f.consoleText(),
                 QStringLiteral("Il tuo Capitale:") + capital + QStringLiteral(" \u20AC\r\n"));

        // A capital below zero or unreadable ends the game at the first tick; the
        // unscripted boxes answer Ok, Yes and Cancel, so a new game starts with 10000.
        f.advance(1);
        QCOMPARE(f.dialogs.messages.size(), capitalKept ? 0u : 2u);
        QCOMPARE(f.capital(), capitalKept ? capital : QStringLiteral("10000"));

        // The same text pasted at the console, with eight boxes for sale.
        f.market().tickTimer().setEnabled(false);
        f.market().clearLines();
        f.fillMarket(8);
        QStringList market = f.lines(f.marketWindow().boxesList());
        f.consoleWindow().commandLineEdit()->insert(text);
        QCOMPARE(f.consoleWindow().commandLineEdit()->text(), text);
        f.pressEnter();
        QCOMPARE(f.auctionRoom().isLoaded(), command >= 0);
        if (command >= 0) {
            QCOMPARE(f.auctionRoom().logView()->text(), market[command] + QStringLiteral("\r\n"));
            market.removeAt(command);
        }
        QCOMPARE(f.lines(f.marketWindow().boxesList()), market);
        QCOMPARE(f.consoleWindow().commandLineEdit()->text(),
                 command == BadInput::KeptAsTyped ? text : QString());

        // The game goes on.
        f.market().tickTimer().setEnabled(true);
        f.advance(1000);
        QCOMPARE(f.marketWindow().boxesList()->count(), market.size() + 1);
        QCOMPARE(f.session.endings, 0);
    }
};

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
