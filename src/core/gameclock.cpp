#include "core/gameclock.h"

#include <algorithm>
#include <utility>

namespace marvesto {

// A timer's interval on the game's time: the clock's own slot runs it
// stretched by the speed, and stands still while the game is paused.
class GameClock::Slot final : public ClockSlot {
public:
    Slot(GameClock &time, std::function<void()> onTick)
        : m_time(time), m_slot(time.m_clock.createSlot([this, onTick = std::move(onTick)] {
              ticked();
              onTick(); // may delete this slot: nothing after it
          }))
    {
        m_time.m_slots.insert(this);
    }
    ~Slot() override { m_time.m_slots.erase(this); }

    void start(int periodMs) override { run(periodMs, false); }
    void startSoon(int periodMs) override { run(periodMs, true); }
    void startAfter(int firstMs, int periodMs) override
    {
        m_period = periodMs;
        m_running = true;
        m_stretched = periodMs * m_time.factor();
        m_dueAt = m_time.nowMs() + firstMs;
        m_left = firstMs;
        if (!m_time.isPaused())
            m_slot->startAfter(firstMs, m_stretched);
    }
    void stop() override
    {
        m_running = false;
        m_slot->stop();
    }

    void pause()
    {
        if (!m_running)
            return;
        m_left = std::max<qint64>(0, m_dueAt - m_time.nowMs());
        m_slot->stop();
    }
    void resume()
    {
        if (!m_running)
            return;
        m_dueAt = m_time.nowMs() + m_left;
        m_slot->startAfter(static_cast<int>(m_left), m_stretched);
    }

private:
    void run(int periodMs, bool soon)
    {
        m_period = periodMs;
        m_running = true;
        m_stretched = periodMs * m_time.factor();
        m_left = soon ? 0 : m_stretched;
        m_dueAt = m_time.nowMs() + m_left;
        if (m_time.isPaused())
            return;
        if (soon)
            m_slot->startSoon(m_stretched);
        else
            m_slot->start(m_stretched);
    }
    // A new speed counts from the tick that has just come.
    void ticked()
    {
        if (m_stretched != m_period * m_time.factor()) {
            m_stretched = m_period * m_time.factor();
            m_slot->start(m_stretched);
        }
        m_dueAt = m_time.nowMs() + m_stretched;
    }

    GameClock &m_time;
    std::unique_ptr<ClockSlot> m_slot;
    int m_period = 0;
    int m_stretched = 0;
    bool m_running = false;
    qint64 m_dueAt = 0;
    qint64 m_left = 0;
};

GameClock::GameClock(Clock &clock, QObject *parent) : QObject(parent), m_clock(clock) {}

GameClock::~GameClock() = default;

std::unique_ptr<ClockSlot> GameClock::createSlot(std::function<void()> onTick)
{
    return std::make_unique<Slot>(*this, std::move(onTick));
}

void GameClock::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    if (paused)
        m_pausedAt = nowMs();
    else
        m_pausedTotal += nowMs() - m_pausedAt;
    for (Slot *slot : m_slots) {
        if (paused)
            slot->pause();
        else
            slot->resume();
    }
    emit pausedChanged(paused);
}

qint64 GameClock::playedMs() const
{
    return (m_paused ? m_pausedAt : nowMs()) - m_pausedTotal;
}

void GameClock::setSpeed(Speed speed)
{
    m_speed = speed;
}

} // namespace marvesto
