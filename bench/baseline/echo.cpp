// The baseline for handler latency: a bare QLineEdit echoing a key typed by
// xdotool, measured as bench_latency measures the game (see keylatency.h).
//
//   baseline_echo SAMPLES

#include "keylatency.h"
#include "wait.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char *argv[])
{
    bench::KeyLatencyApp app(argc, argv);
    const int samples = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 200;

    QWidget window;
    window.setWindowTitle(QStringLiteral("Echo baseline"));
    auto *field = new QLineEdit(&window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(field);
    window.resize(400, 60);
    window.show();
    bench::spin(500);
    if (!bench::focusTopLevel(&window)) {
        qWarning("the window did not get the keyboard focus");
        return 1;
    }
    field->setFocus();

    std::vector<double> echo;
    int failures = 0;
    for (int i = 0; i < samples; ++i) {
        if (field->text().size() >= 20)
            field->clear();
        const auto before = field->text().size();
        const double e = app.measureKey(QStringLiteral("a"), Qt::Key_A,
                                        [field](QWidget *w) { return w == field; });
        if (e < 0 || field->text().size() != before + 1)
            ++failures;
        else
            echo.push_back(e);
        bench::spin(40);
    }
    bench::emitSummary(QStringLiteral("echo"), echo);
    bench::emitSummary(QStringLiteral("delivery"), app.deliveryMs());
    bench::emitValue("failures", failures, 0);
    bench::emitValue("clock_mismatches", app.clockMismatches(), 0);
    return 0;
}
