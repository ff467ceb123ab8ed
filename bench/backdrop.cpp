// The stretched backdrop. For photographs of 2, 12 and 24 megapixels (JPEGs
// made here) and inner areas of 1280x800, 1920x1080 and 3840x2160, the real
// Game redraws its backdrop (Desk::stretchBackdrop: the stretch and the area's
// new background) and the area repaints it on the screen; the baseline is the
// stretch alone, QImage::scaled of the same sizes. Then a drag: 30 resizes of
// the main window from another X connection, one every 16 ms, as a window
// manager sends them, and what the game made of them.
//
//   bench_backdrop OUT_DIR

#include "ui/toolkit/backdrop.h"
#include "benchgame.h"
#include "xhelpers.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QMdiArea>
#include <QPainter>
#include <QResizeEvent>

#include <thread>

using namespace marvesto;

namespace {

constexpr int kRepeats = 15;

struct Photo {
    const char *name;
    QSize size;
};
const Photo kPhotos[] = {{"2mp", {1632, 1224}}, {"12mp", {4000, 3000}}, {"24mp", {6000, 4000}}};
const QSize kAreas[] = {{1280, 800}, {1920, 1080}, {3840, 2160}};

// A photograph-like picture: smooth light with fine grain, so that the JPEG
// holds as much detail as a real one would.
QString makePhoto(const QString &outDir, const Photo &photo)
{
    const QString folder =
        QDir(outDir).filePath(QStringLiteral("photo-") + QLatin1String(photo.name));
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QStringLiteral("DeskTop.jpg"));
    if (QImageReader(path).size() == photo.size)
        return folder;
    QImage image(photo.size, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = static_cast<int>(seed >> 28);
            const int r = (x * 200 / image.width()) + grain;
            const int g = (y * 180 / image.height()) + grain;
            const int b = ((x / 40 + y / 40) % 2 ? 90 : 40) + grain;
            line[x] = qRgb(r, g, b);
        }
    }
    image.save(path, "JPG", 90);
    return folder;
}

// Resizes the main window so that its inner area gets `inner`, and waits for it.
bool setInnerSize(MainWindow &frame, QSize inner)
{
    QWidget *viewport = frame.area().viewport();
    const QSize extra = frame.size() - viewport->size();
    frame.resize(inner + extra);
    return bench::waitUntil([&] { return viewport->size() == inner; }, 3000);
}

struct Timing {
    std::vector<double> handler, paint, total;
};

// A repaint of the top-level window that painted the area, as the drag sees it.
class DragApp : public QApplication {
public:
    using QApplication::QApplication;
    std::function<void()> afterRepaint;
    bool notify(QObject *receiver, QEvent *event) override
    {
        const bool repaint = event->type() == QEvent::UpdateRequest;
        const bool result = QApplication::notify(receiver, event);
        if (repaint && afterRepaint)
            afterRepaint();
        return result;
    }
};

class Recorder : public QObject {
public:
    struct Redraw {
        double start = 0, handled = -1, shown = -1;
        QSize size;
    };
    std::vector<Redraw> redraws;
    bool viewportPainted = false;
    QWidget *viewport = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == viewport && event->type() == QEvent::Resize)
            redraws.push_back({bench::nowMs(), -1, -1, static_cast<QResizeEvent *>(event)->size()});
        if (watched == viewport && event->type() == QEvent::Paint)
            viewportPainted = true;
        return false;
    }
};

void drag(DragApp &app, const QString &folder)
{
    bench::RunningGame running(folder);
    running.start();
    MainWindow &frame = running.frame;
    QWidget *viewport = frame.area().viewport();
    if (!setInnerSize(frame, QSize(1280, 800))) {
        qWarning("the drag's start size was not reached");
        return;
    }
    bench::spin(500);
    const QSize extra = frame.size() - viewport->size();

    Recorder recorder;
    recorder.viewport = viewport;
    // Installed after the frame's own filter, so it sees each resize first.
    viewport->installEventFilter(&recorder);
    QObject::connect(&frame, &MainWindow::resized, &recorder, [&recorder] {
        if (!recorder.redraws.empty())
            recorder.redraws.back().handled = bench::nowMs();
    });
    app.afterRepaint = [&recorder] {
        if (!recorder.viewportPainted)
            return;
        recorder.viewportPainted = false;
        for (auto &r : recorder.redraws) {
            if (r.handled >= 0 && r.shown < 0)
                r.shown = bench::nowMs();
        }
    };

    std::vector<bench::x11::Size> sizes;
    std::vector<QSize> inner;
    for (int i = 0; i < 30; ++i) {
        inner.emplace_back(1280 + 22 * i, 800 + 10 * i);
        sizes.push_back(
            {inner.back().width() + extra.width(), inner.back().height() + extra.height()});
    }
    std::vector<double> sent;
    sent.reserve(sizes.size());
    std::thread sender(bench::x11::resizeBurst, frame.winId(), sizes, 16.0, std::ref(sent));
    const double burstStart = bench::nowMs();
    bench::waitUntil([&] { return bench::nowMs() - burstStart > 30 * 16 + 2000; }, 10000);
    sender.join();
    app.afterRepaint = nullptr;

    // Which request each redraw answered; a redraw is stale when a newer
    // request had been sent before it began: it then waited behind other work.
    auto requestOf = [&](QSize size) {
        for (std::size_t i = 0; i < inner.size(); ++i) {
            if (inner[i] == size)
                return static_cast<int>(i);
        }
        return -1;
    };
    int stale = 0, answered = 0;
    std::vector<double> durations, lags;
    for (const auto &r : recorder.redraws) {
        const int request = requestOf(r.size);
        if (request < 0)
            continue;
        ++answered;
        if (r.shown >= 0)
            durations.push_back(r.shown - r.start);
        if (request + 1 < static_cast<int>(sent.size()) && r.start > sent[request + 1])
            ++stale;
    }
    // Lag of each request: from its sending to the end of the first repaint
    // that showed it or a later size.
    for (std::size_t i = 0; i < sent.size(); ++i) {
        double shown = -1;
        for (const auto &r : recorder.redraws) {
            if (requestOf(r.size) >= static_cast<int>(i) && r.shown >= sent[i]) {
                shown = r.shown;
                break;
            }
        }
        if (shown >= 0)
            lags.push_back(shown - sent[i]);
    }
    bench::emitValue("drag_requests", static_cast<double>(sent.size()), 0);
    bench::emitValue("drag_redraws", answered, 0);
    bench::emitValue("drag_stale_redraws", stale, 0);
    bench::emitSummary(QStringLiteral("drag_redraw_ms"), durations);
    bench::emitSummary(QStringLiteral("drag_lag_ms"), lags);
    bench::emitValue("drag_last_lag_ms", lags.empty() ? -1 : lags.back());
}

} // namespace

int main(int argc, char *argv[])
{
    DragApp app(argc, argv);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("backdrop");
    QDir().mkpath(outDir);

    QString folder12;
    for (const Photo &photo : kPhotos) {
        const QString folder = makePhoto(outDir, photo);
        if (QLatin1String(photo.name) == QLatin1String("12mp"))
            folder12 = folder;
        QElapsedTimer decode;
        decode.start();
        const QImage source =
            marvesto::QtFiles().loadPicture(QDir(folder).filePath(QStringLiteral("DeskTop.jpg")));
        const QByteArray key = QByteArray("backdrop_") + photo.name;
        bench::emitValue((key + "_decode_ms").constData(),
                         static_cast<double>(decode.nsecsElapsed()) / 1e6);

        bench::RunningGame running(folder);
        running.start();
        bench::spin(300);
        for (const QSize area : kAreas) {
            const QByteArray k = key + "_" + QByteArray::number(area.width()) + "x"
                + QByteArray::number(area.height());
            if (!setInnerSize(running.frame, area)) {
                qWarning("inner area %dx%d not reached", area.width(), area.height());
                continue;
            }
            bench::spin(100);
            QWidget *viewport = running.frame.area().viewport();
            Timing game;
            std::vector<double> scaled, drawn;
            for (int i = 0; i < kRepeats; ++i) {
                const double t0 = bench::nowMs();
                running.desk->stretchBackdrop();
                const double t1 = bench::nowMs();
                viewport->repaint();
                const double t2 = bench::nowMs();
                game.handler.push_back(t1 - t0);
                game.paint.push_back(t2 - t1);
                game.total.push_back(t2 - t0);
                QCoreApplication::processEvents();
            }
            // The baselines with the same use of memory: the last stretch goes
            // before the next is made; the painter draws into one target.
            QImage stretched;
            for (int i = 0; i < kRepeats; ++i) {
                stretched = QImage();
                const double b0 = bench::nowMs();
                stretched = source.scaled(area, Qt::IgnoreAspectRatio, Qt::FastTransformation);
                scaled.push_back(bench::nowMs() - b0);
            }
            stretched = QImage();
            QImage target(area, QImage::Format_RGB32);
            target.fill(Qt::black);
            for (int i = 0; i < kRepeats; ++i) {
                const double c0 = bench::nowMs();
                {
                    QPainter painter(&target);
                    painter.drawImage(QRect(QPoint(0, 0), area), source);
                }
                drawn.push_back(bench::nowMs() - c0);
            }
            target = QImage();
            // What the area shows behind the windows must be the stretch exactly:
            // every pixel the photograph's pixel under its centre.
            QImage shown(area, QImage::Format_RGB32);
            shown.fill(Qt::magenta);
            viewport->render(&shown, QPoint(), QRegion(), QWidget::DrawWindowBackground);
            const QImage expected = marvesto::Stretch(source, area).toImage();
            const bool equal = shown == expected && running.frame.backgroundPicture() == expected;
            if (!equal)
                qWarning(
                    "the backdrop shown at %dx%d is not the centre-sampled stretch of the photograph",
                    area.width(), area.height());
            bench::emitValue((k + "_shown_equals_scaled").constData(), equal ? 1 : 0, 0);
            bench::emitValue((k + "_handler_p50").constData(), bench::median(game.handler));
            bench::emitValue((k + "_paint_p50").constData(), bench::median(game.paint));
            bench::emitValue((k + "_redraw_p50").constData(), bench::median(game.total));
            bench::emitValue((k + "_redraw_max").constData(), bench::maximum(game.total));
            bench::emitValue((k + "_scaled_p50").constData(), bench::median(scaled));
            bench::emitValue((k + "_drawimage_p50").constData(), bench::median(drawn));
        }
    }
    drag(app, folder12);
    return 0;
}
