// Memory over ten minutes of play in virtual time. A random player (a monkey)
// plays the whole game through the test fixture's virtual clock on the real
// xcb platform: commands at the console, bids, opening won boxes, taking or
// refusing offers, new games, window resizes; the prompts and the bankruptcy
// questions are answered as a player would (always "play again"). Between its
// moves the real event loop runs (painting included). VmRSS is read at virtual
// minute 5 and minute 10 (each minute, with the window back over the screen),
// with the heap in use, and VmHWM (peak) at the end.
//
//   bench_memory [SEED]

#include "fixture.h"
#include "stats.h"

#include "app/qtclock.h"
#include "ui/toolkit/controls.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <malloc.h>

#include <random>

using namespace marvesto;
using namespace marvesto::test;

namespace {

// A field of /proc/self/status in kB.
double statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(static_cast<int>(qstrlen(field)))
                .trimmed()
                .split(' ')
                .value(0)
                .toDouble();
    }
    return -1;
}

class Monkey {
public:
    Monkey(GameFixture &f, quint32 seed) : m_f(f), m_rng(seed) {}

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_rng) < p; }

    void move()
    {
        if (OfferDialog *offer = m_f.offerDialog()) {
            // Take it or leave it.
            QTest::keyClick(offer->offerView(), chance(0.5) ? Qt::Key_Return : Qt::Key_Escape);
            ++moves;
            return;
        }
        if (m_f.auctionRoom().isLoaded()) {
            // Bid now and then while the room is open.
            if (chance(0.3) && m_f.auctionRoom().bidButton()->isEnabled())
                QTest::keyClick(m_f.auctionRoom().logView(), Qt::Key_Return);
            ++moves;
            return;
        }
        switch (pick(10)) {
        case 0:
        case 1:
        case 2:
        case 3: { // an auction from the market
            const int lines = m_f.marketWindow().boxesList()->count();
            m_f.command(QString::number(lines > 0 ? pick(lines + 2) : 0));
            break;
        }
        case 4: // sell: to the won boxes
            m_f.command(chance(0.5) ? QStringLiteral("sell") : QStringLiteral("SELL"));
            break;
        case 5: { // open a won box
            QListWidget *won = m_f.wonBoxesWindow().boxesList();
            if (won->count() > 0 && m_f.wonBoxesWindow().isEnabled()) {
                selectRow(won, pick(won->count()));
                QTest::keyClick(won, Qt::Key_Return);
            }
            break;
        }
        case 6: // F1, Esc, nonsense
            QTest::keyClick(m_f.consoleWindow().commandLineEdit(),
                            chance(0.5) ? Qt::Key_F1 : Qt::Key_Escape);
            if (chance(0.3))
                m_f.command(QStringLiteral("boh"));
            break;
        case 7: // the window dragged to another size
            m_f.frame->resize(900 + pick(1000), 600 + pick(450));
            break;
        case 8:
            if (chance(0.05))
                m_f.frame->newGameAction()->trigger();
            break;
        default: break; // watch
        }
        ++moves;
    }

    int moves = 0;

private:
    GameFixture &m_f;
    std::mt19937 m_rng;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const quint32 seed = argc > 1 ? QString::fromLocal8Bit(argv[1]).toUInt() : 20240601;

    GameFixture f;
    f.clock.setMinimumPeriod(kTimerFloorMs);
    // The program folder holds the game's own backdrop, as installed.
    QFile::copy(QStringLiteral(MARVESTO_BENCH_APP_DIR "/DeskTop.jpg"),
                QDir(f.folder.path()).filePath(QStringLiteral("DeskTop.jpg")));
    if (const QScreen *screen = f.frame->screen())
        f.frame->setGeometry(screen->availableGeometry());
    int games = 0;
    f.dialogs.inputFallback = [&games](const ScriptedDialogs::Input &input) {
        if (input.title.startsWith(QStringLiteral("Nome")))
            ++games;
        return input.title.startsWith(QStringLiteral("Quant")) ? QStringLiteral("30000")
                                                               : QStringLiteral("Scimmia");
    };
    f.dialogs.messageFallback = [](const ScriptedDialogs::Message &message) {
        return message.buttons == Dialogs::Buttons::Ok ? Dialogs::Answer::Ok : Dialogs::Answer::Yes;
    };
    f.start(QStringLiteral("Scimmia"), QStringLiteral("30000"));

    Monkey monkey(f, seed);
    std::mt19937 steps(seed + 1);
    const qint64 minute = 60 * 1000;
    const QRect screenArea = f.frame->geometry();
    // Each minute, the window back over the screen and the events settled, so
    // that the readings compare like with like: VmRSS and the heap in use.
    std::vector<double> rss, heap;
    auto reading = [&] {
        f.frame->setGeometry(screenArea);
        QCoreApplication::processEvents();
        GameFixture::settle();
        rss.push_back(statusKb("VmRSS:"));
        heap.push_back(static_cast<double>(mallinfo2().uordblks) / 1024.0);
    };
    const double realStart = bench::nowMs();
    qint64 nextReading = minute;
    while (f.clock.now() < 10 * minute) {
        f.advance(std::uniform_int_distribution<int>(40, 600)(steps));
        QCoreApplication::processEvents();
        GameFixture::settle();
        monkey.move();
        // What the doubles record is the fixture's, not the game's: keep it from growing.
        f.sound.paths.clear();
        f.dialogs.inputs.clear();
        f.dialogs.messages.clear();
        if (f.clock.now() >= nextReading) {
            reading();
            nextReading += minute;
        }
    }
    while (rss.size() < 10)
        reading();
    bench::emitValue("memory_moves", monkey.moves, 0);
    bench::emitValue("memory_real_s", (bench::nowMs() - realStart) / 1000.0, 1);
    bench::emitValue("memory_rss5_kb", rss[4], 0);
    bench::emitValue("memory_rss10_kb", rss[9], 0);
    bench::emitValue("memory_heap5_kb", heap[4], 0);
    bench::emitValue("memory_heap10_kb", heap[9], 0);
    QStringList perMinute;
    for (std::size_t i = 0; i < rss.size(); ++i)
        perMinute << QStringLiteral("%1/%2")
                         .arg(rss[i] / 1024.0, 0, 'f', 1)
                         .arg(heap[i] / 1024.0, 0, 'f', 1);
    bench::emitText("memory_per_minute_rss_heap_mb", perMinute.join(QLatin1Char(' ')));
    bench::emitValue("memory_hwm_kb", statusKb("VmHWM:"), 0);
    bench::emitValue("memory_anon_kb", statusKb("RssAnon:"), 0);
    bench::emitValue("memory_file_kb", statusKb("RssFile:"), 0);
    bench::emitValue("memory_shmem_kb", statusKb("RssShmem:"), 0);
    bench::emitValue("memory_won_boxes", f.wonBoxesWindow().boxesList()->count(), 0);
    bench::emitValue("memory_games_restarted", games, 0);
    return 0;
}
