#pragma once

#include <QDateTime>
#include <QObject>

#include <functional>
#include <memory>

namespace marvesto {

// One running interval as a clock keeps it; a Timer owns one.
class ClockSlot {
public:
    virtual ~ClockSlot() = default;
    // Starts the interval afresh from now; ticks repeat every periodMs.
    virtual void start(int periodMs) = 0;
    // The first tick at the next opportunity, then every periodMs.
    virtual void startSoon(int periodMs) { start(periodMs); }
    // The first tick after firstMs, then every periodMs.
    virtual void startAfter(int firstMs, int periodMs) = 0;
    virtual void stop() = 0;
};

// Where timers get their ticks: Qt timers in the program, a virtual clock in tests.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::unique_ptr<ClockSlot> createSlot(std::function<void()> onTick) = 0;
    // The shortest period the clock gives; a 1 ms timer means "as often as allowed".
    virtual int minimumPeriodMs() const { return 1; }
    // Milliseconds since some fixed moment, never going back.
    virtual qint64 nowMs() const = 0;
    // The date and time of day, for what the player reads (when a game
    // started); tests give a fixed one.
    virtual QDateTime wallTime() const { return QDateTime::currentDateTime(); }
};

// A game timer: an interval, an on/off switch and one tick signal.
class Timer : public QObject {
    Q_OBJECT
public:
    Timer(Clock &clock, int intervalMs, bool onAtStart, QObject *parent = nullptr);
    ~Timer() override;

    bool isEnabled() const { return m_enabled; }
    // Switching on a timer that is already on changes nothing; switching it on
    // from off starts its interval afresh.
    void setEnabled(bool on);
    int interval() const { return m_interval; }
    bool onAtStart() const { return m_onAtStart; }
    // Off, then on again if it starts on: as its part does at each opening.
    void restart();

    // A timer that is on but has nothing to do may sleep: it stays on, but no
    // tick comes until wake(), which brings one at the next opportunity. So an
    // idle game does not wake the processor for nothing.
    void sleep();
    void wake();

signals:
    void tick();

private:
    Clock &m_clock;
    std::unique_ptr<ClockSlot> m_slot;
    int m_interval;
    bool m_onAtStart;
    bool m_enabled = false;
    bool m_sleeping = false;
};

} // namespace marvesto
