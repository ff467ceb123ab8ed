#include "fixture.h"

#include "shell/designs.h"

#include <QAccessible>
#include <QLabel>
#include <QScrollBar>
#include <QMdiArea>
#include <QSignalSpy>
#include <QTest>

using namespace marvesto;
using namespace marvesto::test;

class TestToolkit : public QObject {
    Q_OBJECT

private slots:
    void clockFiresTicksInTimeOrder()
    {
        VirtualClock clock;
        Timer fast(clock, 300, true);
        Timer slow(clock, 1000, true);
        QStringList order;
        connect(&fast, &Timer::tick, [&] { order << QStringLiteral("fast@%1").arg(clock.now()); });
        connect(&slow, &Timer::tick, [&] { order << QStringLiteral("slow@%1").arg(clock.now()); });
        fast.resetToDesign();
        slow.resetToDesign();
        clock.advance(1000);
        QCOMPARE(order, QStringList({"fast@300", "fast@600", "fast@900", "slow@1000"}));
        QCOMPARE(clock.now(), 1000);
    }

    void aTickThatSwitchesAnotherTimerIsSeenAtOnce()
    {
        VirtualClock clock;
        Timer first(clock, 100, false);
        Timer second(clock, 50, false);
        QList<qint64> secondTicks;
        connect(&first, &Timer::tick, [&] {
            first.setEnabled(false);
            second.setEnabled(true); // its interval starts now
        });
        connect(&second, &Timer::tick, [&] {
            secondTicks << clock.now();
            if (secondTicks.size() == 2)
                second.setEnabled(false);
        });
        first.setEnabled(true);
        clock.advance(1000);
        QCOMPARE(secondTicks, QList<qint64>({150, 200}));
    }

    void aTickThatStopsAnotherDueAtTheSameTimeCancelsIt()
    {
        VirtualClock clock;
        Timer a(clock, 100, true), b(clock, 100, true);
        int bTicks = 0;
        connect(&a, &Timer::tick, [&] { b.setEnabled(false); });
        connect(&b, &Timer::tick, [&] { ++bTicks; });
        a.resetToDesign();
        b.resetToDesign();
        clock.advance(500);
        QCOMPARE(bTicks, 0);
    }

    void switchingOnARunningTimerKeepsItsInterval()
    {
        VirtualClock clock;
        Timer t(clock, 100, true);
        QList<qint64> ticks;
        connect(&t, &Timer::tick, [&] { ticks << clock.now(); });
        t.resetToDesign();
        clock.advance(60);
        t.setEnabled(true);
        clock.advance(60);
        QCOMPARE(ticks, QList<qint64>({100}));
    }

    void oneMillisecondTimersGetTheClocksFloor()
    {
        VirtualClock clock;
        clock.setMinimumPeriod(5);
        Timer t(clock, 1, true);
        int ticks = 0;
        connect(&t, &Timer::tick, [&] { ++ticks; });
        t.resetToDesign();
        clock.advance(100);
        QCOMPARE(ticks, 20);
    }

    // A sleeping timer stays on but gives no tick; woken on Qt's clock, its next
    // tick comes at once rather than a whole interval later, then on its period.
    void aSleepingTimerTicksAgainAtOnceWhenWoken()
    {
        QtClock clock(5);
        Timer t(clock, 60'000, true);
        int ticks = 0;
        connect(&t, &Timer::tick, [&] { ++ticks; });
        t.resetToDesign();
        t.sleep();
        QVERIFY(t.isEnabled());
        t.wake();
        QTRY_COMPARE(ticks, 1);
        QTest::qWait(50);
        QCOMPARE(ticks, 1);
    }

    void enterPressesTheDefaultButtonOutOfView()
    {
        GameFixture f;
        f.start();
        QPushButton *button = f.form1().Command1();
        QVERIFY(button->y() < -1000);
        QSignalSpy clicks(button, &QPushButton::clicked);
        f.pressEnter(f.form1().Text2());
        QCOMPARE(clicks.count(), 1);
    }

    void enterLeavesADisabledDefaultButtonAlone()
    {
        GameFixture f;
        f.start();
        QPushButton *button = f.form1().Command1();
        button->setEnabled(false);
        QSignalSpy clicks(button, &QPushButton::clicked);
        f.pressEnter(f.form1().Text2());
        QCOMPARE(clicks.count(), 0);
    }

    void reloadBringsBackTheDesignButKeepsTheObjectsVariables()
    {
        GameFixture f;
        f.start(QStringLiteral("Anna"), QStringLiteral("123"));
        f.advance(3000);
        QCOMPARE(f.form2().List1()->count(), 3);
        QCOMPARE(f.form2().taxCounter(), 3);
        f.form4().Offerte().setEnabled(true);

        f.form1().unload();
        f.form2().unload();
        f.form4().unload();
        f.settle();
        QVERIFY(!f.form1().isLoaded());

        QCOMPARE(f.form1().Money()->text(), QStringLiteral("50000")); // using it loads it
        QVERIFY(f.form1().isLoaded());
        QCOMPARE(f.form1().Text1()->text(), QString());
        QCOMPARE(f.form1().caption(), QStringLiteral("Manager"));
        QCOMPARE(f.form2().List1()->count(), 0);
        QVERIFY(!f.form4().Offerte().isEnabled());
        QCOMPARE(f.form2().taxCounter(), 3);
    }

    void lockedWindowsKeepTicking()
    {
        GameFixture f;
        f.start();
        QObject holder;
        f.form2().lock(&holder);
        QVERIFY(!f.form2().body()->isEnabled());
        f.advance(2000);
        QCOMPARE(f.form2().List1()->count(), 2);
        f.form2().unlock(&holder);
        QVERIFY(f.form2().body()->isEnabled());
    }

    void windowsFollowTheirDesigns()
    {
        GameFixture f;
        f.start();
        QMdiSubWindow *console = f.form1().subWindow();
        QCOMPARE(f.form1().body()->size(), QSize(489, 277));
        QCOMPARE(f.form2().body()->size(), QSize(617, 268));
        QCOMPARE(f.form4().body()->size(), QSize(385, 268));
        // Fixed border, no minimise, maximise or close.
        QCOMPARE(console->minimumSize(), console->maximumSize());
        QVERIFY(!(console->windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(!(console->windowFlags() & Qt::WindowSystemMenuHint));
        // Hidden controls, the hand pointer, colours and fonts.
        QVERIFY(f.form1().Money()->isHidden());
        QCOMPARE(f.form1().Label2()->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(f.form4().List1()->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(f.form1().Text2()->cursor().shape(), Qt::IBeamCursor);
        QCOMPARE(f.form1().Text2()->palette().color(QPalette::Base), QColor(0x000080));
        QCOMPARE(f.form1().Text2()->palette().color(QPalette::Text), QColor(0xFFFF00));
        QVERIFY(f.form1().Text2()->font().bold());
        QCOMPARE(f.form2().List1()->font().pointSizeF(), 14.25);
        QCOMPARE(f.form1().Label2()->font().pointSizeF(), 11.25);
        QVERIFY(f.form1().Label2()->font().underline());
        QCOMPARE(f.form1().Label2()->text(), QStringLiteral("F1-Vendi"));
        QCOMPARE(f.form2().caption(), QStringLiteral("Boxes in vendita"));
        QCOMPARE(f.form4().caption(), QStringLiteral("Aste Vinte"));
        QCOMPARE(f.frame->windowTitle(), QStringLiteral("Marvesto"));
    }

    // Named for screen readers, and the console tells its capital.
    void controlsAreSpokenAndTheConsoleTellsTheCapital()
    {
        GameFixture f;
        f.start(QStringLiteral("Anna"), QStringLiteral("9626"));
        auto name = [](QWidget *w) {
            return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        };
        QCOMPARE(name(f.form1().Text2()), QStringLiteral("Riga di comando"));
        QCOMPARE(name(f.form1().Command1()), QStringLiteral("Esegui il comando"));
        QCOMPARE(name(f.form2().List1()), QStringLiteral("Box in vendita"));
        QCOMPARE(f.form1().subWindow()->accessibleDescription(), QStringLiteral("Capitale: 9626 \u20AC"));
        f.game->setCapital(QStringLiteral("-5"));
        QCOMPARE(f.form1().subWindow()->accessibleDescription(), QStringLiteral("Capitale: -5 \u20AC"));
        QCOMPARE(f.form1().Money()->text(), QStringLiteral("-5"));
    }

    // On a small screen the area scrolls to the windows that reach past it.
    void theAreaScrollsToWindowsBeyondIt()
    {
        GameFixture f;
        f.start();
        const double left = f.form4().left();
        f.frame->resize(500, 300);
        QApplication::processEvents();
        QVERIFY(f.frame->area().horizontalScrollBar()->isVisible());
        QVERIFY(f.frame->area().verticalScrollBar()->isVisible());
        QCOMPARE(f.form4().left(), left); // the design's place
    }

    void consoleFocusOrderStartsAtTheCommandLine()
    {
        GameFixture f;
        f.start();
        QWidget *next = f.form1().Text2()->nextInFocusChain();
        while (next && next->focusPolicy() == Qt::NoFocus)
            next = next->nextInFocusChain();
        QCOMPARE(next, static_cast<QWidget *>(f.form1().Text1()));
    }
};

QTEST_MAIN(TestToolkit)
#include "tst_toolkit.moc"
