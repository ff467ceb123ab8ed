#include "fixture.h"

#include "app/qtclock.h"
#include "ui/toolkit/designs.h"

#include <QAccessible>
#include <QLabel>
#include <QMdiArea>
#include <QRegularExpression>
#include <QScrollBar>
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
        fast.restart();
        slow.restart();
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
        a.restart();
        b.restart();
        clock.advance(500);
        QCOMPARE(bTicks, 0);
    }

    void switchingOnARunningTimerKeepsItsInterval()
    {
        VirtualClock clock;
        Timer t(clock, 100, true);
        QList<qint64> ticks;
        connect(&t, &Timer::tick, [&] { ticks << clock.now(); });
        t.restart();
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
        t.restart();
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
        t.restart();
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
        QPushButton *button = f.consoleWindow().runButton();
        QVERIFY(button->y() < -1000);
        QSignalSpy clicks(button, &QPushButton::clicked);
        f.pressEnter(f.consoleWindow().commandLineEdit());
        QCOMPARE(clicks.count(), 1);
    }

    void enterLeavesADisabledDefaultButtonAlone()
    {
        GameFixture f;
        f.start();
        QPushButton *button = f.consoleWindow().runButton();
        button->setEnabled(false);
        QSignalSpy clicks(button, &QPushButton::clicked);
        f.pressEnter(f.consoleWindow().commandLineEdit());
        QCOMPARE(clicks.count(), 0);
    }

    void reloadBringsBackTheDesignButKeepsTheObjectsVariables()
    {
        GameFixture f;
        f.start(QStringLiteral("Anna"), QStringLiteral("123"));
        f.advance(3000);
        QCOMPARE(f.marketWindow().boxesList()->count(), 3);
        QCOMPARE(f.market().taxCounter(), 3);
        f.wonBoxes().offerTimer().setEnabled(true);

        f.console().close();
        f.market().close();
        f.wonBoxes().close();
        f.settle();
        QVERIFY(!f.consoleWindow().isLoaded());

        f.console().open();
        f.market().open();
        f.wonBoxes().open();
        QVERIFY(f.consoleWindow().isLoaded());
        QCOMPARE(f.consoleWindow().capitalLineEdit()->text(), QStringLiteral("50000"));
        QCOMPARE(f.consoleWindow().logView()->text(), QString());
        QCOMPARE(f.consoleWindow().caption(), QStringLiteral("Manager"));
        QCOMPARE(f.marketWindow().boxesList()->count(), 0);
        QVERIFY(!f.wonBoxes().offerTimer().isEnabled());
        QCOMPARE(f.market().taxCounter(), 3);
    }

    void lockedWindowsKeepTicking()
    {
        GameFixture f;
        f.start();
        QObject holder;
        f.marketWindow().lock(&holder);
        QVERIFY(!f.marketWindow().body()->isEnabled());
        f.advance(2000);
        QCOMPARE(f.marketWindow().boxesList()->count(), 2);
        f.marketWindow().unlock(&holder);
        QVERIFY(f.marketWindow().body()->isEnabled());
    }

    void windowsFollowTheirDesigns()
    {
        GameFixture f;
        f.start();
        QMdiSubWindow *console = f.consoleWindow().subWindow();
        QCOMPARE(f.consoleWindow().body()->size(), QSize(489, 277));
        QCOMPARE(f.marketWindow().body()->size(), QSize(617, 268));
        QCOMPARE(f.wonBoxesWindow().body()->size(), QSize(385, 268));
        // Fixed border, no minimise, maximise or close.
        QCOMPARE(console->minimumSize(), console->maximumSize());
        QVERIFY(!(console->windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(!(console->windowFlags() & Qt::WindowSystemMenuHint));
        // Hidden controls, the hand pointer, colours and fonts.
        QVERIFY(f.consoleWindow().capitalLineEdit()->isHidden());
        QCOMPARE(f.consoleWindow().sellLabel()->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(f.wonBoxesWindow().boxesList()->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(f.consoleWindow().commandLineEdit()->cursor().shape(), Qt::IBeamCursor);
        QCOMPARE(f.consoleWindow().commandLineEdit()->palette().color(QPalette::Base),
                 QColor(0x000080));
        QCOMPARE(f.consoleWindow().commandLineEdit()->palette().color(QPalette::Text),
                 QColor(0xFFFF00));
        QVERIFY(f.consoleWindow().commandLineEdit()->font().bold());
        QCOMPARE(f.marketWindow().boxesList()->font().pointSizeF(), 14.25);
        QCOMPARE(f.consoleWindow().sellLabel()->font().pointSizeF(), 11.25);
        QVERIFY(f.consoleWindow().sellLabel()->font().underline());
        QCOMPARE(f.consoleWindow().sellLabel()->text(), QStringLiteral("F1-Vendi"));
        QCOMPARE(f.marketWindow().caption(), QStringLiteral("Boxes in vendita"));
        QCOMPARE(f.wonBoxesWindow().caption(), QStringLiteral("Aste Vinte"));
        QCOMPARE(f.frame->windowTitle(), QStringLiteral("Marvesto"));
    }

    // Every role name of the design table names something in the game: each
    // window row a window, each control row a control of that window (the one
    // its view reaches by that name), each timer row a timer of the core (whose intervals the core
    // tests check).
    void everyRoleOfTheDesignTableExists()
    {
        GameFixture f;
        f.start();
        f.addWonBox(QStringLiteral("Box numero:1 - Prezzo:1500 \u20AC"));
        f.fillMarket(1);
        f.random.script({0.0f, 0.0f, 0.0f}); // a buyer comes after the command
        f.command(QStringLiteral("0"));
        f.advance(1);
        QVERIFY(f.offerDialog() && f.auctionRoom().isLoaded());

        const std::vector<ChildWindow *> windows{&f.consoleWindow(), &f.marketWindow(),
                                                 &f.auctionRoom(), &f.wonBoxesWindow(),
                                                 f.offerDialog()};
        QCOMPARE(design::childWindows().size(), windows.size());
        for (std::size_t i = 0; i < windows.size(); ++i) {
            const design::Window &row = *design::childWindows()[i];
            ChildWindow *window = windows[i];
            QCOMPARE(window->objectName(), QString::fromUtf8(row.role));
            QCOMPARE(&window->design(), &row);
            for (const design::Control &c : row.controls) {
                QWidget *control = window->body()->findChild<QWidget *>(QString::fromUtf8(c.role));
                QVERIFY2(control, c.role);
                // A caption in words is in the control's name, as a voice
                // command would say it; ">>" gets a name of its own.
                const QString caption = QString::fromUtf8(c.caption).remove(u'&');
                if (c.kind != design::Kind::TextBox && caption.contains(QRegularExpression("\\w")))
                    QVERIFY2(control->accessibleName().contains(caption), c.role);
            }
            for (const design::TimerDesign &t : row.timers) {
                const auto *timer = f.game->findChild<Timer *>(QString::fromUtf8(t.role));
                QVERIFY2(timer, t.role);
            }
        }
        // The views' own accessors find their controls by the table's names.
        const std::vector<QWidget *> reached{
            f.consoleWindow().capitalLineEdit(), f.consoleWindow().logView(),
            f.consoleWindow().commandLineEdit(), f.consoleWindow().runButton(),
            f.consoleWindow().sellLabel(),       f.marketWindow().boxesList(),
            f.auctionRoom().logView(),           f.auctionRoom().priceLineEdit(),
            f.auctionRoom().bidButton(),         f.wonBoxesWindow().boxesList(),
            f.wonBoxesWindow().priceLineEdit(),  f.wonBoxesWindow().openButton(),
            f.offerDialog()->offerView(),        f.offerDialog()->priceLineEdit(),
            f.offerDialog()->positionLineEdit(), f.offerDialog()->acceptButton(),
            f.offerDialog()->refuseLabel()};
        QVERIFY(std::find(reached.begin(), reached.end(), nullptr) == reached.end());
    }

    // Named for screen readers, and the console tells its capital.
    void controlsAreSpokenAndTheConsoleTellsTheCapital()
    {
        GameFixture f;
        f.start(QStringLiteral("Anna"), QStringLiteral("9626"));
        auto name = [](QWidget *w) {
            return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        };
        QCOMPARE(name(f.consoleWindow().commandLineEdit()), QStringLiteral("Riga di comando"));
        QCOMPARE(name(f.consoleWindow().runButton()), QStringLiteral("Esegui il comando"));
        QCOMPARE(name(f.marketWindow().boxesList()), QStringLiteral("Box in vendita"));
        QCOMPARE(f.consoleWindow().subWindow()->accessibleDescription(),
                 QStringLiteral("Capitale: 9626 \u20AC"));
        f.game->console().setCapital(Amount(-5));
        QCOMPARE(f.consoleWindow().subWindow()->accessibleDescription(),
                 QStringLiteral("Capitale: -5 \u20AC"));
        QCOMPARE(f.consoleWindow().capitalLineEdit()->text(), QStringLiteral("-5"));
    }

    // On a small screen the area scrolls to the windows that reach past it.
    void theAreaScrollsToWindowsBeyondIt()
    {
        GameFixture f;
        f.start();
        const double left = f.wonBoxesWindow().left();
        f.frame->resize(500, 300);
        QApplication::processEvents();
        QVERIFY(f.frame->area().horizontalScrollBar()->isVisible());
        QVERIFY(f.frame->area().verticalScrollBar()->isVisible());
        QCOMPARE(f.wonBoxesWindow().left(), left); // the design's place
    }

    void consoleFocusOrderStartsAtTheCommandLine()
    {
        GameFixture f;
        f.start();
        QWidget *next = f.consoleWindow().commandLineEdit()->nextInFocusChain();
        while (next && next->focusPolicy() == Qt::NoFocus)
            next = next->nextInFocusChain();
        QCOMPARE(next, static_cast<QWidget *>(f.consoleWindow().logView()));
    }
};

QTEST_MAIN(TestToolkit)
#include "tst_toolkit.moc"
