// Draws the timer jitter chart from the tick files of bench_timers and
// baseline_timers: one panel per period, every tick's lateness over the run,
// the game's in red and the baseline's in blue, with their 99th percentiles.
//
//   bench_chart GAME_CSV BASELINE_CSV OUT_PNG [TITLE]

#include "stats.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <map>
#include <vector>

namespace {

struct Tick {
    double atS;
    double latenessMs;
};
using Series = std::map<int, std::vector<Tick>>; // by period

Series readCsv(const QString &path)
{
    Series series;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return series;
    file.readLine(); // header
    while (!file.atEnd()) {
        const QList<QByteArray> f = file.readLine().trimmed().split(',');
        if (f.size() == 4)
            series[f[0].toInt()].push_back({f[2].toDouble(), f[3].toDouble()});
    }
    return series;
}

std::vector<double> lateness(const std::vector<Tick> &ticks)
{
    std::vector<double> v;
    for (const Tick &t : ticks)
        v.push_back(t.latenessMs);
    return v;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s GAME_CSV BASELINE_CSV OUT_PNG [TITLE]\n", argv[0]);
        return 2;
    }
    QGuiApplication app(argc, argv);
    const Series game = readCsv(QString::fromLocal8Bit(argv[1]));
    const Series base = readCsv(QString::fromLocal8Bit(argv[2]));
    const QString title =
        argc > 4 ? QString::fromLocal8Bit(argv[4]) : QStringLiteral("Timer lateness per tick");
    if (game.empty() || base.empty()) {
        std::fprintf(stderr, "bench_chart: no ticks to draw\n");
        return 1;
    }

    const int width = 1200, panelHeight = 260, top = 60, left = 80, right = 30;
    const int height = top + static_cast<int>(game.size()) * (panelHeight + 40) + 20;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = p.font();
    font.setPixelSize(13);
    p.setFont(font);
    QFont big = font;
    big.setPixelSize(17);
    big.setBold(true);
    p.setFont(big);
    p.drawText(QRect(0, 8, width, 30), Qt::AlignCenter, title);
    p.setFont(font);
    const QColor gameColour(200, 40, 40), baseColour(40, 80, 200);
    p.setPen(gameColour);
    p.drawText(QRect(left, 34, 500, 20), Qt::AlignLeft,
               QStringLiteral("● game (QtClock Timer objects, game running)"));
    p.setPen(baseColour);
    p.drawText(QRect(left + 520, 34, 500, 20), Qt::AlignLeft,
               QStringLiteral("● baseline (plain precise QTimers)"));

    double endS = 0;
    for (const Series *s : {&game, &base})
        for (const auto &[period, ticks] : *s)
            for (const Tick &t : ticks)
                endS = std::max(endS, t.atS);
    endS = std::ceil(endS / 5.0) * 5.0;

    int row = 0;
    for (const auto &[period, ticks] : game) {
        const std::vector<Tick> &baseTicks =
            base.count(period) ? base.at(period) : std::vector<Tick>{};
        const double gameP99 = bench::percentile(lateness(ticks), 99);
        const double baseP99 = bench::percentile(lateness(baseTicks), 99);
        const double yMax = std::max({2.5, gameP99 * 1.5, baseP99 * 1.5});
        const double yMin = std::min({0.0, bench::percentile(lateness(ticks), 0),
                                      bench::percentile(lateness(baseTicks), 0)});
        const QRect plot(left, top + row * (panelHeight + 40) + 20, width - left - right,
                         panelHeight);
        auto x = [&](double s) { return plot.left() + s / endS * plot.width(); };
        auto y = [&](double ms) {
            return plot.bottom()
                - (std::clamp(ms, yMin, yMax) - yMin) / (yMax - yMin) * plot.height();
        };

        p.setPen(QPen(QColor(120, 120, 120), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(plot);
        p.setPen(Qt::black);
        p.drawText(
            QRect(plot.left(), plot.top() - 20, plot.width(), 18), Qt::AlignLeft,
            QStringLiteral(
                "%1 ms timers — %2 game ticks, %3 baseline ticks; p99 game %4 ms, baseline %5 ms")
                .arg(period)
                .arg(ticks.size())
                .arg(baseTicks.size())
                .arg(gameP99, 0, 'f', 2)
                .arg(baseP99, 0, 'f', 2));
        // Grid and axis labels.
        const double step = yMax > 10 ? 5 : (yMax > 5 ? 1 : 0.5);
        for (double v = std::ceil(yMin / step) * step; v <= yMax + 1e-9; v += step) {
            p.setPen(QPen(QColor(225, 225, 225), 1));
            p.drawLine(QPointF(plot.left(), y(v)), QPointF(plot.right(), y(v)));
            p.setPen(Qt::black);
            p.drawText(QRectF(0, y(v) - 8, left - 6, 16), Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(v, 'f', step < 1 ? 1 : 0));
        }
        for (double s = 0; s <= endS + 1e-9; s += 5) {
            p.setPen(Qt::black);
            p.drawText(QRectF(x(s) - 20, plot.bottom() + 2, 40, 16), Qt::AlignCenter,
                       QString::number(s, 'f', 0));
        }
        p.save();
        p.translate(16, plot.center().y());
        p.rotate(-90);
        p.drawText(QRect(-80, -10, 160, 20), Qt::AlignCenter, QStringLiteral("lateness (ms)"));
        p.restore();
        if (period == 350) {
            p.setPen(QPen(QColor(0, 150, 0), 1, Qt::DashLine));
            p.drawLine(QPointF(plot.left(), y(2.0)), QPointF(plot.right(), y(2.0)));
            p.drawText(QRectF(plot.right() - 160, y(2.0) - 16, 155, 14), Qt::AlignRight,
                       QStringLiteral("target p99 ≤ 2 ms"));
        }
        // Ticks: clipped ones drawn as triangles at the top edge.
        for (const auto &[series, colour] :
             {std::pair{&baseTicks, baseColour}, std::pair{&ticks, gameColour}}) {
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            for (const Tick &t : *series) {
                const QPointF at(x(t.atS), y(t.latenessMs));
                if (t.latenessMs > yMax) {
                    QPainterPath tri;
                    tri.moveTo(at.x(), at.y() + 1);
                    tri.lineTo(at.x() - 4, at.y() + 8);
                    tri.lineTo(at.x() + 4, at.y() + 8);
                    tri.closeSubpath();
                    p.drawPath(tri);
                } else {
                    p.drawEllipse(at, 2.2, 2.2);
                }
            }
            p.setPen(QPen(colour, 1, Qt::DotLine));
            const double p99 = bench::percentile(lateness(*series), 99);
            p.drawLine(QPointF(plot.left(), y(p99)), QPointF(plot.right(), y(p99)));
        }
        ++row;
    }
    p.setPen(Qt::black);
    p.drawText(
        QRect(0, height - 20, width, 18), Qt::AlignCenter,
        QStringLiteral(
            "time since the bench started (s); dotted lines: p99; triangles: ticks later than the panel's top"));
    p.end();
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "bench_chart: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
