#include "core/gamepart.h"

#include "core/clock.h"

namespace marvesto {

GamePart::GamePart(Clock &clock, QObject *parent) : QObject(parent), m_clock(clock) {}

Timer &GamePart::addTimer(const char *role, int intervalMs, bool onAtOpening)
{
    auto *timer = new Timer(m_clock, intervalMs, onAtOpening, this);
    timer->setObjectName(QString::fromUtf8(role));
    m_timers.push_back(timer);
    return *timer;
}

void GamePart::open()
{
    if (m_open)
        return;
    m_open = true;
    reset();
    for (Timer *timer : m_timers)
        timer->restart();
    emit opened();
    afterOpening();
}

void GamePart::close()
{
    if (!m_open)
        return;
    m_open = false;
    stopTimers();
    emit closed();
}

void GamePart::stopTimers()
{
    for (Timer *timer : m_timers)
        timer->setEnabled(false);
}

} // namespace marvesto
