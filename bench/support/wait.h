#pragma once

#include "stats.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace bench {

// Processes events until pred() holds or timeoutMs passes; true when it held.
template <typename Pred>
bool waitUntil(Pred pred, double timeoutMs)
{
    const double deadline = nowMs() + timeoutMs;
    // A guard timer so that waiting for more events never outlasts the deadline much.
    QTimer guard;
    guard.setTimerType(Qt::PreciseTimer);
    guard.start(2);
    while (!pred()) {
        if (nowMs() >= deadline)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Processes events for ms milliseconds.
inline void spin(double ms)
{
    waitUntil([] { return false; }, ms);
}

} // namespace bench
