#include "corefixture.h"

#include "core/recordsfile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <QThread>

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

// Every game the fixture's game ends, in order.
struct Recorded {
    explicit Recorded(Game &game)
    {
        QObject::connect(&game.records(), &Records::recorded, &context,
                         [this](const GameRecord &r) { records.push_back(r); });
    }
    QObject context;
    std::vector<GameRecord> records;
};

GameRecord someRecord(double highest, const QString &player = QStringLiteral("Anna"))
{
    GameRecord r;
    r.player = player;
    r.started = VirtualClock::kWallStart.addSecs(qint64(highest));
    r.startingCapital = 1000;
    r.highestCapital = highest;
    r.finalCapital = -5.5;
    r.boxesWon = 3;
    r.playedMs = 61000;
    r.ending = GameEnding::Bankruptcy;
    r.curve = {{0, 1000}, {61000, highest}};
    return r;
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

    // A game's record, from a scripted game: a box won at auction, then opened,
    // a buyer's offer accepted, ten seconds of pause, and a new game.
    void aGameLeavesItsRecordWhenItEnds()
    {
        CoreFixture f;
        RecordsFile file(f.folder.filePath(QStringLiteral("data/records.json")));
        f.game->keepRecordsIn(&file);
        Recorded recorded(*f.game);
        f.advance(5000); // the game starts five seconds after the program
        f.start(QStringLiteral("Anna"), QStringLiteral("50000"));
        f.market().tickTimer().setEnabled(false);
        f.market().addBox({.number = 7, .letter = u'K', .price = 5600});
        f.run(QStringLiteral("0"));
        f.random.script({0.825f}); // the rivals give up: won for 5600
        f.advance(1000);
        scriptOffer(f, 0, 1, 1, 30); // no buyer when the room closes
        f.advance(3001);
        f.game->time().setPaused(true);
        f.advance(10000);
        f.game->time().setPaused(false);
        f.random.script({kAlmostOne, 9999.5f / 15599}); // worth 10000
        QVERIFY(f.wonBoxes().openBox(0));
        f.addWonBox(wonBox(2, 2500));
        scriptOffer(f, 0, 1, 17);
        f.run(QString());
        f.advance(1);
        QVERIFY(f.offer());
        f.offer()->accept();
        f.advance(998);
        QVERIFY(recorded.records.empty());
        f.dialogs.answerInput(QStringLiteral("Bruno"));
        f.dialogs.answerInput(QStringLiteral("7000"));
        f.game->newGame();

        QCOMPARE(recorded.records.size(), 1u);
        const GameRecord &r = recorded.records[0];
        QCOMPARE(r.player, QStringLiteral("Anna"));
        QCOMPARE(r.started, QDateTime(QDate(2026, 3, 14), QTime(9, 30, 5), Qt::UTC));
        QCOMPARE(r.startingCapital, 50000.0);
        QCOMPARE(r.highestCapital, 56917.0);
        QCOMPARE(r.finalCapital, 56917.0);
        QCOMPARE(r.boxesWon, 1);
        QCOMPARE(r.boxesOpened, 1);
        QCOMPARE(r.offersAccepted, 1);
        QCOMPARE(r.playedMs, qint64(5000)); // the pause left out
        QCOMPARE(r.ending, GameEnding::NewGame);
        const std::vector<CapitalPoint> curve{{0, 50000},
                                              {1000, 44400},
                                              {4001, 54400},
                                              {4002, 56917}};
        QVERIFY(r.curve == curve);
        // Kept in the file: among the best without its curve, as the last game with it.
        const RecordsFile::Contents kept = file.read();
        QCOMPARE(kept.best.size(), 1u);
        GameRecord withoutCurve = r;
        withoutCurve.curve.clear();
        QVERIFY(kept.best[0] == withoutCurve);
        QVERIFY(kept.last && *kept.last == r);
        // The new game's record has begun afresh.
        QVERIFY(f.game->records().isRunning());
        QCOMPARE(f.game->records().current().player, QStringLiteral("Bruno"));
        QCOMPARE(f.game->records().current().curve.size(), 1u);
    }

    // Bankruptcy, a new game and quitting each leave one record, whatever
    // follows them; a capital typed as words counts as 0.
    void everyEndingIsRecordedOnce()
    {
        CoreFixture f;
        Recorded recorded(*f.game);
        f.start(QStringLiteral("Anna"), QStringLiteral("100"));
        f.dialogs.answerInput(QStringLiteral("Bruno"));
        f.dialogs.answerInput(QStringLiteral("-5"));
        f.game->newGame();
        f.dialogs.answerMessage(Dialogs::Answer::Ok);
        f.dialogs.answerMessage(Dialogs::Answer::Yes);
        f.dialogs.answerInput(QStringLiteral("Carla"));
        f.dialogs.answerInput(QStringLiteral("mille"));
        f.dialogs.answerMessage(Dialogs::Answer::Ok);
        f.dialogs.answerMessage(Dialogs::Answer::No);
        f.advance(5);
        QCOMPARE(f.session.endings, 1);
        f.game->exit();
        f.game->closing();
        QStringList seen;
        for (const GameRecord &r : recorded.records)
            seen << r.player + u':' + QString::number(int(r.ending)) + u':'
                    + QString::number(r.finalCapital);
        QCOMPARE(seen, QStringList({"Anna:1:100", "Bruno:0:-5", "Carla:0:0"}));

        CoreFixture quitting;
        Recorded quit(*quitting.game);
        quitting.start();
        quitting.game->closing();
        quitting.game->exit();
        QCOMPARE(quit.records.size(), 1u);
        QCOMPARE(quit.records[0].ending, GameEnding::Quit);
    }

    // The file keeps the best hundred by highest capital, best first, and
    // the last game whatever its rank.
    void theFileKeepsTheBestHundredSorted()
    {
        QTemporaryDir folder;
        RecordsFile file(folder.filePath(QStringLiteral("records.json")));
        for (int i = 0; i < 101; ++i)
            QVERIFY(file.add(someRecord(1000 + (i * 37) % 101)));
        QVERIFY(file.add(someRecord(500, QStringLiteral("Ultimo"))));
        const RecordsFile::Contents kept = RecordsFile(file.path()).read();
        QCOMPARE(kept.best.size(), 100u);
        for (std::size_t i = 0; i < kept.best.size(); ++i)
            QCOMPARE(kept.best[i].highestCapital, 1100.0 - double(i));
        QVERIFY(kept.best[0].curve.empty());
        QCOMPARE(kept.last->player, QStringLiteral("Ultimo"));
        QCOMPARE(kept.last->curve.size(), 2u);
    }

    // Two games ending at once in two places: the lock keeps every record.
    void twoWritersAtOnceKeepBothRecords()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("records.json"));
        constexpr int kEach = 30;
        const auto writer = [&path](int from) {
            return QThread::create([&path, from] {
                RecordsFile file(path);
                for (int i = 0; i < kEach; ++i)
                    file.add(someRecord(from + i));
            });
        };
        std::unique_ptr<QThread> one(writer(0)), two(writer(1000));
        one->start();
        two->start();
        QVERIFY(one->wait() && two->wait());
        QCOMPARE(RecordsFile(path).read().best.size(), std::size_t(2 * kEach));
    }

    // A file that does not read as records is renamed aside with the date in
    // its name, told once, and a new file is started.
    void aBrokenFileIsSetAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("broken JSON") << QByteArray("{\"best\": [");
        QTest::newRow("an array") << QByteArray("[]");
        QTest::newRow("no best") << QByteArray("{\"last\": null}");
        QTest::newRow("a number for a name")
            << QByteArray("{\"best\": [{\"player\": 7, \"started\": \"2026-01-01T10:00:00\"}]}");
        QByteArray huge =
            QJsonDocument(QJsonObject{{QStringLiteral("best"), QJsonArray()}}).toJson()
            + QByteArray(RecordsFile::kMaxFileBytes, ' ');
        QTest::newRow("over 1 MiB") << huge;
    }
    void aBrokenFileIsSetAside()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("records.json"));
        QFile broken(path);
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write(content) == content.size());
        broken.close();
        RecordsFile file(path, [] { return VirtualClock::kWallStart; });
        QVERIFY(file.read().best.empty());
        const QString aside =
            folder.filePath(QStringLiteral("records.broken-2026-03-14-093000.json"));
        QCOMPARE(file.takeSetAside(), aside);
        QCOMPARE(file.takeSetAside(), QString());
        QFile setAside(aside);
        QVERIFY(setAside.open(QIODevice::ReadOnly));
        QCOMPARE(setAside.readAll(), content);
        QVERIFY(file.add(someRecord(2000)));
        QCOMPARE(file.read().best.size(), 1u);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 2); // no lock file left
    }

    // A folder that cannot be written: the record is lost, the game plays on.
    void anUnwritableFolderLeavesTheGamePlaying()
    {
        CoreFixture f;
        QFile blocker(f.folder.filePath(QStringLiteral("data")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        RecordsFile file(blocker.fileName() + QStringLiteral("/records.json"));
        f.game->keepRecordsIn(&file);
        f.start();
        f.dialogs.answerInput(QStringLiteral("Bruno"));
        f.dialogs.answerInput(QStringLiteral("3000"));
        f.game->newGame();
        QCOMPARE(f.capital(), QStringLiteral("3000"));
        f.advance(1000);
        QCOMPARE(f.market().count(), 1);
        QVERIFY(!file.add(someRecord(1)));
        QVERIFY(file.read().best.empty());
    }
};

// The rules need no window system: a plain QCoreApplication runs them.
QTEST_GUILESS_MAIN(TestGame)
#include "tst_game.moc"
