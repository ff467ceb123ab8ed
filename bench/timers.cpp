// Timer precision in the game: the real Game on the real QtClock, its market
// and bankruptcy watch running, plus game Timer objects at the auction's
// periods (350, 1000, 3000 ms), several of each, staggered, and a second 1 ms
// timer standing in for the won-boxes window's offer timer. Each tick is
// stamped on the monotonic clock and compared with its due time.
//
//   bench_timers CSV_PATH [RUN_MS]

#include "benchgame.h"
#include "tickprobe.h"

#include "core/clock.h"

#include <QListWidget>

#include <QApplication>

#include <memory>
#include <vector>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString csv =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("game-ticks.csv");

    bench::RunningGame running;
    QTimer::singleShot(0, [&running] { running.start(); });
    if (!bench::waitUntil([&] { return running.dialogs.inputs >= 2; }, 10000)) {
        qWarning("the game did not start");
        return 1;
    }

    bench::TickProbe probe;
    std::vector<std::unique_ptr<marvesto::Timer>> timers;
    // The offer timer runs one tick after each console command; here it runs all along.
    marvesto::Timer offers(running.clock, 1, true);
    offers.setEnabled(true);
    QObject::connect(&offers, &marvesto::Timer::tick, [] {});

    int id = 0;
    for (const auto &group : bench::TickProbe::groups()) {
        for (int j = 0; j < group.timers; ++j, ++id) {
            auto timer = std::make_unique<marvesto::Timer>(running.clock, group.periodMs, false);
            QObject::connect(timer.get(), &marvesto::Timer::tick,
                             [&probe, id] { probe.ticked(id); });
            marvesto::Timer *raw = timer.get();
            const int period = group.periodMs;
            QTimer::singleShot(bench::TickProbe::startOffsetMs(period, j, group.timers),
                               Qt::PreciseTimer, [&probe, raw, id, period] {
                                   probe.started(id, period);
                                   raw->setEnabled(true);
                               });
            timers.push_back(std::move(timer));
        }
    }
    const int runMs = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : bench::TickProbe::kRunMs;
    QTimer::singleShot(runMs, Qt::PreciseTimer, [&] {
        for (auto &t : timers)
            t->setEnabled(false);
        probe.emitResults(QStringLiteral("game"));
        bench::emitText("qt_version", QString::fromLatin1(qVersion()));
        bench::emitValue("game_market_lines", running.game->market().count(), 0);
        if (!probe.writeCsv(csv))
            qWarning("cannot write %s", qPrintable(csv));
        QCoreApplication::quit();
    });
    return app.exec();
}
