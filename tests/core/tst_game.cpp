#include "corefixture.h"

#include <QTest>

using namespace marvesto;
using namespace marvesto::test;

namespace {

const QString kNotice = QStringLiteral(
    "Un vero disatro!  Sei andato sotto di brutto!!!  Cambia lavoro ^_^ e non fare il manager aziendale");
const QString kQuestion = QStringLiteral("Vuoi Giocare ancora? ");

// What happens in a game, and when: log lines, market lines and offers, at
// their time on the virtual clock from the moment recording starts.
struct Happening {
    qint64 at;
    QString what;
    bool operator==(const Happening &) const = default;
};
using Story = std::vector<Happening>;

Story record(CoreFixture &f, const std::function<void()> &play)
{
    Story story;
    const qint64 from = f.clock.now();
    const auto note = [&f, &story, from](const QString &what) {
        story.push_back({f.clock.now() - from, what});
    };
    QObject context;
    QObject::connect(&f.console(), &Console::logAppended, &context, note);
    QObject::connect(&f.console(), &Console::logReplaced, &context, note);
    QObject::connect(&f.auction(), &Auction::logAppended, &context, note);
    QObject::connect(&f.auction(), &Auction::logReplaced, &context, note);
    QObject::connect(&f.market(), &BoxListPart::lineAdded, &context,
                     [&f, note](int row) { note(f.market().line(row)); });
    QObject::connect(f.game.get(), &Game::offerMade, &context, [&context, note](Offer *offer) {
        QObject::connect(offer, &GamePart::closed, &context,
                         [note] { note(QStringLiteral("offer closed")); });
        QObject::connect(offer, &Offer::textChanged, &context,
                         [note, offer] { note(offer->text()); });
    });
    play();
    return story;
}

// The set-ups of the timed rules: an auction whose rivals raise and count
// down, the market's ticks up to a tax, a buyer's offer waiting for an answer.
void setUpTimedRule(CoreFixture &f, int rule)
{
    switch (rule) {
    case 0:
        withThreeLines(f);
        f.random.script({0.0f, 0.0f}); // the rivals raise by 1, then count to three
        f.run(QStringLiteral("0"));
        break;
    case 1: f.start(); break;
    default:
        withWonBoxes(f, {wonBox(1, 1500), wonBox(2, 2500)});
        scriptOffer(f, 1, 2, 100);
        f.run(QString());
        break;
    }
}

} // namespace

class TestGame : public QObject {
    Q_OBJECT

private slots:
    // While nothing it reads changes, the watch lets the clock rest; a change
    // brings its next tick.
    void theWatchSleepsUntilSomethingItReadsChanges()
    {
        CoreFixture f;
        f.start();
        f.market().tickTimer().setEnabled(false);
        f.advance(10);
        QCOMPARE(f.clock.nextDueIn(), qint64(-1));
        QVERIFY(f.console().watchTimer().isEnabled());
        f.game->console().setCapital(Amount(-1));
        QCOMPARE(f.clock.nextDueIn(), qint64(1));
        f.dialogs.answerMessage(Dialogs::Answer::Ok);
        f.dialogs.answerMessage(Dialogs::Answer::No);
        f.advance(1);
        QCOMPARE(f.session.endings, 1);
    }

    void zeroIsNotBankruptcy()
    {
        CoreFixture f;
        f.start(QStringLiteral("Anna"), QStringLiteral("0"));
        f.advance(50);
        QVERIFY(f.dialogs.messages.empty());
    }

    void aNegativeOrUnreadableAnswerEndsTheGameAtTheNextTick_data()
    {
        QTest::addColumn<QString>("capital");
        QTest::newRow("-100") << "-100";
        QTest::newRow("abc") << "abc";
        QTest::newRow("blank") << " ";
    }
    void aNegativeOrUnreadableAnswerEndsTheGameAtTheNextTick()
    {
        QFETCH(QString, capital);
        CoreFixture f;
        f.start(QStringLiteral("Anna"), capital);
        f.dialogs.answerMessage(Dialogs::Answer::Ok);
        f.dialogs.answerMessage(Dialogs::Answer::No);
        f.advance(1);
        QCOMPARE(f.dialogs.messages.size(), 2u);
        const auto &notice = f.dialogs.messages[0];
        QCOMPARE(notice.text, kNotice);
        QCOMPARE(notice.buttons, Dialogs::Buttons::Ok);
        QCOMPARE(notice.icon, Dialogs::Icon::Information);
        QCOMPARE(notice.title, QStringLiteral("Marvesto"));
        const auto &question = f.dialogs.messages[1];
        QCOMPARE(question.text, kQuestion);
        QCOMPARE(question.buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(question.icon, Dialogs::Icon::Question);
        QCOMPARE(question.title, QStringLiteral("Marvesto"));
        QCOMPARE(f.session.endings, 1);
    }

    void aWonBoxHoldsBankruptcyOffUntilItIsGone()
    {
        CoreFixture f;
        f.start(QStringLiteral("Anna"), QStringLiteral("-50000"));
        // The won box has to be there before the first tick.
        f.addWonBox(QStringLiteral("Box numero:1 - Prezzo:1500 \u20AC"));
        f.market().tickTimer().setEnabled(false);
        f.advance(100);
        QVERIFY(f.dialogs.messages.empty());
        f.random.script({0.5f, 0.5f});
        f.wonBoxes().openBox(0);
        QVERIFY(f.dialogs.messages.empty());
        f.dialogs.answerMessage(Dialogs::Answer::Ok);
        f.dialogs.answerMessage(Dialogs::Answer::No);
        f.advance(1);
        QCOMPARE(f.dialogs.messages.size(), 2u);
    }

    void theSequenceClosesTheGamePartsButTheConsole()
    {
        CoreFixture f;
        f.start(QStringLiteral("Anna"), QStringLiteral("1000"));
        f.market().tickTimer().setEnabled(false);
        f.addWonBox(QStringLiteral("Box numero:1 - Prezzo:1500 \u20AC"));
        f.market().addBox(boxOf(QStringLiteral("Box numero:0 - Nome Asta:A - Prezzo:2000 \u20AC")));
        f.random.script({0.0f, 0.0f, 0.0f}); // the command's buyer makes an offer
        f.run(QStringLiteral("0"));
        f.advance(1);
        QVERIFY(f.offer() && f.auction().isOpen());

        QStringList closed;
        const std::pair<GamePart *, const char *> parts[] = {{f.offer(), "offer"},
                                                             {&f.console(), "console"},
                                                             {&f.market(), "market"},
                                                             {&f.auction(), "auction"},
                                                             {&f.wonBoxes(), "wonBoxes"}};
        for (const auto &[part, name] : parts)
            QObject::connect(part, &GamePart::closed,
                             [&closed, name = name] { closed << QString::fromUtf8(name); });
        bool reopenedEmpty = false;
        f.dialogs.answerMessage(Dialogs::Answer::Ok);
        f.dialogs.answerMessage(Dialogs::Answer::No, [&] {
            // The auction room's closing pressed the console's button, which brought the
            // won boxes back: open and empty while the question is asked.
            reopenedEmpty = f.wonBoxes().isOpen() && f.wonBoxes().count() == 0;
        });
        f.wonBoxes().removeLine(0);
        f.game->console().setCapital(Amount(-1));
        f.random.script({0.9f, 0.0f, 0.0f});
        f.advance(1);
        QCOMPARE(closed, QStringList({"offer", "wonBoxes", "auction", "market"}));
        QVERIFY(f.console().isOpen());
        QVERIFY(reopenedEmpty);
        QCOMPARE(f.session.endings, 1);
    }

    void yesStartsANewGameWithFreshPrompts()
    {
        CoreFixture f;
        f.start(QStringLiteral("Anna"), QStringLiteral("200"));
        f.advance(3000);
        f.console().setCommand(QStringLiteral("xy"));
        f.dialogs.answerMessage(Dialogs::Answer::Ok);
        f.dialogs.answerMessage(Dialogs::Answer::Yes);
        f.dialogs.answerInput(QStringLiteral("Bruno"));
        f.dialogs.answerInput(QStringLiteral("3000"));
        f.game->console().setCapital(Amount(-5));
        f.advance(1);
        QCOMPARE(f.dialogs.inputs.size(), 4u);
        QCOMPARE(f.dialogs.inputs[3].title, QStringLiteral("Quanto euro vuoi?"));
        QCOMPARE(f.consoleText(), QStringLiteral("Il tuo Capitale:3000 \u20AC\r\n"));
        QCOMPARE(f.console().command(), QStringLiteral("xy"));
        QCOMPARE(f.console().title(), QStringLiteral("Manager:Bruno"));
        QCOMPARE(f.market().count(), 0);
        QVERIFY(f.market().tickTimer().isEnabled() && f.wonBoxes().isOpen());
        QCOMPARE(f.session.endings, 0);
        f.advance(1000);
        QCOMPARE(f.dialogs.messages.size(), 2u);
        QCOMPARE(f.market().count(), 1);
    }

    void ticksDuringTheSequenceStartNoSecondOne()
    {
        CoreFixture f;
        f.start(QStringLiteral("Anna"), QStringLiteral("-1"));
        auto tick = [&] { f.clock.advance(50); };
        f.dialogs.answerMessage(Dialogs::Answer::Ok, tick);
        f.dialogs.answerMessage(Dialogs::Answer::Yes, tick);
        f.dialogs.answerInput(QStringLiteral("Bruno"), tick);
        f.dialogs.answerInput(QStringLiteral("100"), tick);
        f.advance(1);
        QCOMPARE(f.dialogs.messages.size(), 2u);
        QCOMPARE(f.dialogs.inputs.size(), 4u);
        QCOMPARE(f.dialogs.unscripted, 0);
        QCOMPARE(f.capital(), QStringLiteral("100"));
        QVERIFY(!f.game->inBankruptcySequence());
    }

    // Paused at any moment, every timed rule goes on as if the pause had not
    // been: each later event comes exactly as much later as the pause lasted.
    void aPauseDelaysEveryEventByItsLength_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<qint64>("pauseAt");
        QTest::newRow("before the rivals answer") << 0 << qint64(400);
        QTest::newRow("during the countdown") << 0 << qint64(1500);
        QTest::newRow("while the room closes") << 0 << qint64(3900);
        QTest::newRow("between market ticks") << 1 << qint64(5500);
        QTest::newRow("just before the tax") << 1 << qint64(10999);
        QTest::newRow("while an offer waits") << 2 << qint64(4000);
    }
    void aPauseDelaysEveryEventByItsLength()
    {
        QFETCH(int, rule);
        QFETCH(qint64, pauseAt);
        constexpr qint64 kLength = 2345;
        constexpr qint64 kPlayed = 12500;
        CoreFixture steady;
        setUpTimedRule(steady, rule);
        const Story expected = record(steady, [&steady] { steady.advance(kPlayed); });

        CoreFixture f;
        setUpTimedRule(f, rule);
        Story duringPause;
        const Story story = record(f, [&] {
            f.advance(pauseAt);
            f.game->time().setPaused(true);
            duringPause = record(f, [&f] { f.advance(kLength); });
            f.game->time().setPaused(false);
            f.advance(kPlayed - pauseAt);
        });
        QVERIFY(duringPause.empty());
        Story shifted;
        for (Happening h : story) {
            if (h.at > pauseAt)
                h.at -= kLength;
            shifted.push_back(h);
        }
        QVERIFY(expected.size() >= 2); // something happens after the start
        QVERIFY(shifted == expected);
    }

    // "Lenta" doubles every interval, "Molto lenta" triples it.
    void aSlowerGameStretchesEveryInterval_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<int>("speed");
        for (int rule = 0; rule < 3; ++rule) {
            QTest::addRow("rule %d, slow", rule) << rule << int(Speed::Slow);
            QTest::addRow("rule %d, very slow", rule) << rule << int(Speed::VerySlow);
        }
    }
    void aSlowerGameStretchesEveryInterval()
    {
        QFETCH(int, rule);
        QFETCH(int, speed);
        constexpr qint64 kPlayed = 12500;
        CoreFixture steady;
        setUpTimedRule(steady, rule);
        Story expected = record(steady, [&steady] { steady.advance(kPlayed); });
        for (Happening &h : expected)
            h.at *= speed;

        CoreFixture f;
        f.game->time().setSpeed(static_cast<Speed>(speed));
        setUpTimedRule(f, rule);
        const Story story = record(f, [&f, speed] { f.advance(kPlayed * speed); });
        QVERIFY(expected.size() >= 2); // something happens after the start
        QVERIFY(story == expected);
    }

    // Each timer of the game, found by the role the design table names it by:
    // its interval, and whether it runs from its part's opening.
    void everyTimerHasItsIntervalAndStart()
    {
        CoreFixture f;
        withWonBoxes(f, {wonBox(1, 1500)});
        scriptOffer(f, 0, 1, 10);
        f.run(QStringLiteral("x"));
        f.advance(1);
        QVERIFY(f.offer());
        const std::pair<const char *, std::pair<int, bool>> timers[] = {
            {"watchTimer", {1, true}},        {"tickTimer", {1000, true}},
            {"closingTimer", {3000, false}},  {"countdownTimer", {350, false}},
            {"rivalsTimer", {1000, false}},   {"offerTimer", {1, false}},
            {"patienceTimer", {10000, false}}};
        for (const auto &[role, design] : timers) {
            const auto *timer = f.game->findChild<Timer *>(QString::fromUtf8(role));
            QVERIFY2(timer, role);
            QCOMPARE(std::pair(timer->interval(), timer->onAtStart()), design);
        }
    }
};

// The rules need no window system: a plain QCoreApplication runs them.
QTEST_GUILESS_MAIN(TestGame)
#include "tst_game.moc"
