#include "core/records.h"

#include "core/amounts.h"
#include "core/gameclock.h"

#include <algorithm>
#include <cmath>

namespace marvesto {

namespace {

// A capital that reads as no number (the player may type words at the
// prompt, and the game keeps them) counts as 0, so that the curve goes on.
double capitalValue(const Amount &capital)
{
    const auto number = capital.number();
    return number && std::isfinite(*number) ? *number : 0;
}

} // namespace

Records::Records(GameClock &time, QObject *parent) : QObject(parent), m_time(time) {}

qint64 Records::sinceStart() const
{
    return m_time.playedMs() - m_startedAt;
}

void Records::begin(const QString &player, const Amount &capital)
{
    const double value = capitalValue(capital);
    m_current = GameRecord();
    m_current.player = player;
    m_current.started = m_time.wallTime();
    m_current.startingCapital = value;
    m_current.highestCapital = value;
    m_current.finalCapital = value;
    m_current.curve.push_back({0, value});
    m_startedAt = m_time.playedMs();
    m_running = true;
    emit changed();
}

void Records::noteCapital(const Amount &capital)
{
    if (!m_running)
        return;
    const double value = capitalValue(capital);
    m_current.finalCapital = value;
    m_current.highestCapital = std::max(m_current.highestCapital, value);
    const qint64 at = sinceStart();
    // Several changes at one moment leave the last.
    if (m_current.curve.back().ms == at)
        m_current.curve.back().capital = value;
    else
        m_current.curve.push_back({at, value});
    emit changed();
}

void Records::add(int &counter)
{
    if (!m_running)
        return;
    ++counter;
    emit changed();
}

void Records::finish(GameEnding ending)
{
    if (!m_running)
        return;
    m_running = false;
    m_current.ending = ending;
    m_current.playedMs = sinceStart();
    emit recorded(m_current);
}

} // namespace marvesto
