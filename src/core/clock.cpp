#include "core/clock.h"

#include <algorithm>
#include <utility>

namespace marvesto {

Timer::Timer(Clock &clock, int intervalMs, bool onAtStart, QObject *parent)
    : QObject(parent),
      m_clock(clock),
      m_slot(clock.createSlot([this] { emit tick(); })),
      m_interval(intervalMs),
      m_onAtStart(onAtStart)
{
}

Timer::~Timer() = default;

void Timer::setEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    m_sleeping = false;
    if (on)
        m_slot->start(std::max(m_interval, m_clock.minimumPeriodMs()));
    else
        m_slot->stop();
}

void Timer::sleep()
{
    if (!m_enabled || m_sleeping)
        return;
    m_sleeping = true;
    m_slot->stop();
}

void Timer::wake()
{
    if (!m_enabled || !m_sleeping)
        return;
    m_sleeping = false;
    m_slot->startSoon(std::max(m_interval, m_clock.minimumPeriodMs()));
}

void Timer::restart()
{
    setEnabled(false);
    setEnabled(m_onAtStart);
}

} // namespace marvesto
