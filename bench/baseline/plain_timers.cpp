// The baseline for timer precision: plain precise QTimers at the auction's
// periods, staggered as in bench_timers, with nothing else running.
//
//   baseline_timers CSV_PATH [RUN_MS]

#include "tickprobe.h"

#include <QApplication>
#include <QTimer>

#include <memory>
#include <vector>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString csv =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("baseline-ticks.csv");

    bench::TickProbe probe;
    std::vector<std::unique_ptr<QTimer>> timers;
    int id = 0;
    for (const auto &group : bench::TickProbe::groups()) {
        for (int j = 0; j < group.timers; ++j, ++id) {
            auto timer = std::make_unique<QTimer>();
            timer->setTimerType(Qt::PreciseTimer);
            QObject::connect(timer.get(), &QTimer::timeout, [&probe, id] { probe.ticked(id); });
            QTimer *raw = timer.get();
            const int period = group.periodMs;
            QTimer::singleShot(bench::TickProbe::startOffsetMs(period, j, group.timers),
                               Qt::PreciseTimer, [&probe, raw, id, period] {
                                   probe.started(id, period);
                                   raw->start(period);
                               });
            timers.push_back(std::move(timer));
        }
    }
    const int runMs = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : bench::TickProbe::kRunMs;
    QTimer::singleShot(runMs, Qt::PreciseTimer, [&] {
        for (auto &t : timers)
            t->stop();
        probe.emitResults(QStringLiteral("baseline"));
        if (!probe.writeCsv(csv))
            qWarning("cannot write %s", qPrintable(csv));
        QCoreApplication::quit();
    });
    return app.exec();
}
