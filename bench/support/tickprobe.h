#pragma once

// Lateness of timer ticks against their due times. A repeating timer started
// at t0 with period P is due at t0 + k*P for its k-th tick; Qt keeps that grid
// for precise timers unless a tick comes more than a period late.

#include "stats.h"

#include <QFile>
#include <QString>
#include <QTextStream>

#include <map>
#include <vector>

namespace bench {

class TickProbe {
public:
    // The figures: one group of staggered timers per period.
    struct Group {
        int periodMs;
        int timers;
    };
    static std::vector<Group> groups() { return {{350, 3}, {1000, 4}, {3000, 10}}; }
    // Ticks are collected for this long after the first timer starts.
    static constexpr int kRunMs = 63000;
    // Start of timer j of n in a group: spread over one period, one more millisecond each.
    static int startOffsetMs(int periodMs, int j, int n) { return 250 + periodMs * j / n + j; }

    // Call right before starting timer `id` (any number) of the given period.
    void started(int id, int periodMs)
    {
        Timer &t = m_timers[id];
        t.periodMs = periodMs;
        t.startMs = nowMs();
        t.ticks = 0;
    }

    void ticked(int id)
    {
        const double now = nowMs();
        Timer &t = m_timers[id];
        ++t.ticks;
        double due = t.startMs + t.ticks * t.periodMs;
        if (now - due > t.periodMs) {
            // More than a period late: Qt restarts the grid from now; count the gap.
            ++m_reanchored;
            t.startMs = now;
            t.ticks = 0;
            due = now;
        }
        m_samples.push_back({t.periodMs, id, (now - m_created) / 1000.0, now - due});
    }

    // Per-tick CSV for the chart: period_ms,timer,at_s (since the probe was made),lateness_ms.
    bool writeCsv(const QString &path) const
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return false;
        QTextStream out(&file);
        out << "period_ms,timer,at_s,lateness_ms\n";
        for (const Sample &s : m_samples)
            out << s.periodMs << ',' << s.id << ',' << QString::number(s.atS, 'f', 4) << ','
                << QString::number(s.latenessMs, 'f', 4) << '\n';
        return true;
    }

    void emitResults(const QString &prefix) const
    {
        for (const Group &g : groups()) {
            std::vector<double> lateness;
            for (const Sample &s : m_samples) {
                if (s.periodMs == g.periodMs)
                    lateness.push_back(s.latenessMs);
            }
            emitSummary(prefix + QStringLiteral("_") + QString::number(g.periodMs), lateness);
        }
        emitValue((prefix + QStringLiteral("_reanchored")).toUtf8().constData(), m_reanchored, 0);
    }

private:
    struct Timer {
        int periodMs = 0;
        double startMs = 0;
        long ticks = 0;
    };
    struct Sample {
        int periodMs;
        int id;
        double atS;
        double latenessMs;
    };
    double m_created = nowMs();
    std::map<int, Timer> m_timers;
    std::vector<Sample> m_samples;
    int m_reanchored = 0;
};

} // namespace bench
