#include "fixture.h"

#include "ui/toolkit/caret.h"

#include <QAbstractEventDispatcher>
#include <QScrollBar>
#include <QTest>

using namespace marvesto;
using namespace marvesto::test;

namespace {

// The box around the pixels that differ between two renderings of a field.
QRect changedArea(const QImage &a, const QImage &b)
{
    QRect box;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// What the caret adds to a field: the field with the focus against without it.
QRect caretArea(GameFixture &f, QWidget *field)
{
    field->setFocus();
    QApplication::processEvents();
    const QImage with = field->grab().toImage();
    f.consoleWindow().sellLabel()->setFocus(Qt::OtherFocusReason); // labels take no focus
    f.consoleWindow().runButton()->setFocus();
    QApplication::processEvents();
    const QImage without = field->grab().toImage();
    field->setFocus();
    return changedArea(with, without);
}

// The timers that blink a field's caret: Qt's text controls are its children.
int blinkTimers(QWidget *field)
{
    int found = 0;
    const int half = QApplication::cursorFlashTime() / 2;
    for (QObject *object : field->findChildren<QObject *>()) {
        for (const auto &timer : QAbstractEventDispatcher::instance()->registeredTimers(object))
            found += timer.interval == half || QApplication::cursorFlashTime() == 0;
    }
    return found;
}

} // namespace

class TestCaret : public QObject {
    Q_OBJECT

private slots:
    void theCommandLineShowsAnEightBySixteenBlock()
    {
        GameFixture f;
        f.start();
        QLineEdit *line = f.consoleWindow().commandLineEdit();
        QCOMPARE(caretArea(f, line).size(), QSize(kCaretWidth, kCaretHeight));
        f.type(QStringLiteral("12"));
        const QRect afterTyping = caretArea(f, line);
        QCOMPARE(afterTyping.size(), QSize(kCaretWidth, kCaretHeight));
        QVERIFY(afterTyping.left() > 0); // it follows the insertion point
    }

    void theCaretInvertsWhatLiesUnderIt()
    {
        GameFixture f;
        f.start();
        QLineEdit *line = f.consoleWindow().commandLineEdit();
        const QRect area = caretArea(f, line);
        line->setFocus();
        const QImage with = line->grab().toImage();
        // Navy under the caret shows as its inverse, a light yellow.
        const QColor under = with.pixelColor(area.topLeft() + QPoint(0, area.height() - 1));
        QCOMPARE(under, QColor(0xFF, 0xFF, 0x7F));
    }

    void theLogShowsTheBlockWhenFocusedAndAfterItChanges()
    {
        GameFixture f;
        f.start();
        LogView *log = f.consoleWindow().logView();
        QCOMPARE(caretArea(f, log).size(), QSize(kCaretWidth, kCaretHeight));
        QTest::mouseClick(log->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(caretArea(f, log).size(), QSize(kCaretWidth, kCaretHeight));
        f.console().appendLog(QStringLiteral("Tax:1\r\n"));
        QCOMPARE(caretArea(f, log).size(), QSize(kCaretWidth, kCaretHeight));
    }

    void aLogMessageLeavesTheCommandLinesCaret()
    {
        GameFixture f;
        f.start();
        f.consoleWindow().commandLineEdit()->setFocus();
        f.console().appendLog(QStringLiteral("Tax:1\r\n"));
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget *>(f.consoleWindow().commandLineEdit()));
        QCOMPARE(caretArea(f, f.consoleWindow().commandLineEdit()).size(),
                 QSize(kCaretWidth, kCaretHeight));
    }

    void aClickIntoTheLogMovesItsCaretOnlyUntilTheNextTick()
    {
        GameFixture f;
        f.start();
        f.console().appendLog(QStringLiteral("Tax:1\r\nIl tuo Capitale:1 \u20AC\r\n"));
        LogView *log = f.consoleWindow().logView();
        QTest::mouseClick(log->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!log->isCaretAtEnd());
        f.advance(1);
        QVERIFY(log->isCaretAtEnd());
    }

    // Written past what the fields show, both logs keep their newest line in view.
    void theLogsFollowTheirNewestLine()
    {
        GameFixture f;
        f.start();
        f.advance(12 * 11000); // twelve taxes: 24 more lines
        LogView *console = f.consoleWindow().logView();
        QVERIFY(console->verticalScrollBar()->maximum() > 0);
        QVERIFY(console->isScrolledToEnd());
        // Scrolled away by the player, it is back at the next tick of the watch.
        console->verticalScrollBar()->setValue(0);
        f.advance(1);
        QVERIFY(console->isScrolledToEnd());

        // Raise, countdown tick, bid: three lines a round in the auction room.
        f.market().tickTimer().setEnabled(false);
        f.command(QStringLiteral("0"));
        LogView *room = f.auctionRoom().logView();
        for (int round = 0; round < 8; ++round) {
            f.random.script({0.0f, 0.5f}); // the rivals raise
            f.advance(1000 + 350);
            f.auctionRoom().bidButton()->click();
            QVERIFY(room->isScrolledToEnd());
        }
        QVERIFY(room->verticalScrollBar()->maximum() > 0);
    }

    // A log line written while another window's text field has the focus gives
    // that field the wide caret.
    void theFocusedFieldOfAnotherWindowGetsTheBlockCaret()
    {
        GameFixture f;
        f.start();
        f.market().tickTimer().setEnabled(false);
        f.fillMarket(1);
        f.command(QStringLiteral("0"));
        LogView *room = f.auctionRoom().logView();
        room->setFocus();
        room->setCursorWidth(1);
        f.console().appendLog(QStringLiteral("Tax:1\r\n"));
        QCOMPARE(room->cursorWidth(), kCaretWidth);
    }

    // Ten seconds after the last key the caret stops blinking and stays shown,
    // as wide and tall as before; the next key sets it blinking again.
    void theCaretRestsTenSecondsAfterTheLastKey()
    {
        QApplication::setCursorFlashTime(1000);
        GameFixture f;
        f.start();
        const CaretRest &rest = f.desk->caretRest();
        QLineEdit *line = f.consoleWindow().commandLineEdit();
        line->setFocus();
        QVERIFY(blinkTimers(line) > 0);
        f.advance(CaretRest::kRestAfterMs - 1);
        f.type(QStringLiteral("1"));
        f.advance(CaretRest::kRestAfterMs - 1); // the key started the ten seconds again
        QVERIFY(!rest.isResting());
        QCOMPARE(QApplication::cursorFlashTime(), 1000);
        f.advance(1);
        QVERIFY(rest.isResting());
        QCOMPARE(blinkTimers(line), 0);
        QCOMPARE(caretArea(f, line).size(), QSize(kCaretWidth, kCaretHeight));
        QCOMPARE(blinkTimers(line), 0);
        LogView *log = f.consoleWindow().logView();
        QCOMPARE(caretArea(f, log).size(), QSize(kCaretWidth, kCaretHeight));

        line->setFocus();
        QCOMPARE(blinkTimers(line), 0);
        QTest::keyClick(line, Qt::Key_Backspace);
        QVERIFY(!rest.isResting());
        QCOMPARE(QApplication::cursorFlashTime(), 1000);
        QVERIFY(blinkTimers(line) > 0);
        f.advance(CaretRest::kRestAfterMs);
        QVERIFY(rest.isResting());
    }
};

QTEST_MAIN(TestCaret)
#include "tst_caret.moc"
