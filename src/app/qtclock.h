#pragma once

#include "core/clock.h"

#include <QElapsedTimer>
#include <QObject>

namespace marvesto {

// Timers of 1 ms tick at most this often, as on desktops whose timer service
// is coarser than a millisecond; it keeps an idle game cheap. The benchmarks
// give their timers the same floor.
constexpr int kTimerFloorMs = 5;

// The program's clock: one precise QTimer per game timer.
class QtClock : public QObject, public Clock {
    Q_OBJECT
public:
    explicit QtClock(int minimumPeriodMs = kTimerFloorMs, QObject *parent = nullptr);
    std::unique_ptr<ClockSlot> createSlot(std::function<void()> onTick) override;
    int minimumPeriodMs() const override { return m_minimumPeriod; }
    qint64 nowMs() const override { return m_started.elapsed(); }

private:
    int m_minimumPeriod;
    QElapsedTimer m_started;
};

} // namespace marvesto
