#include "app/qtclock.h"

#include <QTimer>

#include <utility>

namespace marvesto {

namespace {

class QtClockSlot final : public ClockSlot {
public:
    QtClockSlot(QObject *owner, std::function<void()> onTick) : m_timer(new QTimer(owner))
    {
        m_timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(m_timer, &QTimer::timeout, m_timer, [this, onTick = std::move(onTick)] {
            if (m_periodAfterFirst > 0)
                m_timer->start(std::exchange(m_periodAfterFirst, 0));
            onTick(); // may delete this slot: nothing after it
        });
    }
    ~QtClockSlot() override
    {
        // The slot may go while its own tick is being delivered: let Qt finish first.
        m_timer->stop();
        m_timer->disconnect();
        m_timer->deleteLater();
    }
    void start(int periodMs) override
    {
        m_periodAfterFirst = 0;
        m_timer->start(periodMs);
    }
    // A zero interval: Qt runs the tick as soon as the events already queued
    // are handled, before the event loop waits again.
    void startSoon(int periodMs) override { startAfter(0, periodMs); }
    void startAfter(int firstMs, int periodMs) override
    {
        m_periodAfterFirst = firstMs == periodMs ? 0 : periodMs;
        m_timer->start(firstMs);
    }
    void stop() override
    {
        m_periodAfterFirst = 0;
        m_timer->stop();
    }

private:
    QTimer *m_timer;
    int m_periodAfterFirst = 0;
};

} // namespace

QtClock::QtClock(int minimumPeriodMs, QObject *parent)
    : QObject(parent), m_minimumPeriod(minimumPeriodMs)
{
    m_started.start();
}

std::unique_ptr<ClockSlot> QtClock::createSlot(std::function<void()> onTick)
{
    return std::make_unique<QtClockSlot>(this, std::move(onTick));
}

} // namespace marvesto
