#pragma once

#include "core/clock.h"

#include <QObject>

#include <set>

namespace marvesto {

// How fast the game runs: every game interval is multiplied by the value.
enum class Speed { Normal = 1, Slow = 2, VerySlow = 3 };

// The game's own time, over the program's clock: every game timer runs on it,
// so that pausing stops them all, each keeping the time it had left, and the
// speed stretches every interval alike.
class GameClock : public QObject, public Clock {
    Q_OBJECT
public:
    explicit GameClock(Clock &clock, QObject *parent = nullptr);
    ~GameClock() override;

    std::unique_ptr<ClockSlot> createSlot(std::function<void()> onTick) override;
    int minimumPeriodMs() const override { return m_clock.minimumPeriodMs(); }
    qint64 nowMs() const override { return m_clock.nowMs(); }
    QDateTime wallTime() const override { return m_clock.wallTime(); }
    // The time the game has run, paused time left out: as nowMs(), but still
    // while paused.
    qint64 playedMs() const;

    bool isPaused() const { return m_paused; }
    // While paused no timer ticks; on resuming each goes on with the time it had left.
    void setPaused(bool paused);

    Speed speed() const { return m_speed; }
    // Applies to each timer from its next tick on.
    void setSpeed(Speed speed);
    int factor() const { return static_cast<int>(m_speed); }

signals:
    void pausedChanged(bool paused);

private:
    class Slot;
    Clock &m_clock;
    std::set<Slot *> m_slots;
    bool m_paused = false;
    qint64 m_pausedAt = 0;
    qint64 m_pausedTotal = 0;
    Speed m_speed = Speed::Normal;
};

} // namespace marvesto
