#pragma once

// Small statistics and output helpers shared by the bench programs. Results are
// printed as key=value lines that bench/run.sh collects into the report.

#include <QString>
#include <QTextStream>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace bench {

// Milliseconds on the monotonic clock (CLOCK_MONOTONIC, the one Qt's timers use).
inline double nowMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// Nearest-rank percentile of a sample, p in [0, 100]; NaN for no sample.
inline double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return std::nan("");
    std::sort(values.begin(), values.end());
    const auto rank =
        static_cast<std::size_t>(std::ceil(p / 100.0 * static_cast<double>(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

inline double median(const std::vector<double> &values)
{
    return percentile(values, 50);
}

inline double maximum(const std::vector<double> &values)
{
    return values.empty() ? std::nan("") : *std::max_element(values.begin(), values.end());
}

// One result line: key=value, flushed at once so a crash later loses nothing.
inline void emitValue(const char *key, double value, int decimals = 3)
{
    std::printf("%s=%.*f\n", key, decimals, value);
    std::fflush(stdout);
}

inline void emitText(const char *key, const QString &value)
{
    std::printf("%s=%s\n", key, value.toUtf8().constData());
    std::fflush(stdout);
}

// p50, p99 and max of a sample under KEY_p50, KEY_p99, KEY_max, with its size as KEY_n.
inline void emitSummary(const QString &key, const std::vector<double> &values)
{
    const QByteArray k = key.toUtf8();
    emitValue((k + "_n").constData(), static_cast<double>(values.size()), 0);
    emitValue((k + "_p50").constData(), percentile(values, 50));
    emitValue((k + "_p99").constData(), percentile(values, 99));
    emitValue((k + "_max").constData(), maximum(values));
}

} // namespace bench
