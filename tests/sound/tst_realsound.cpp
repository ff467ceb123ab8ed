// Plays cues through QtSoundOutput for real-sound-test.sh, which records them:
// broken.wav, whose header does not agree with itself, then 5.wav alone, then
// 1.wav cut off 50 ms later by 6.wav. Reports on stdout:
//   play NAME MS   each cue handed over, with the time play() took
//   alert          each cue that fell back to the desktop's alert
//   sounding       6.wav should be sounding now
//   quiet          nothing should be sounding any more
#include "app/qtsoundoutput.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

namespace {

class ReportingOutput : public marvesto::QtSoundOutput {
protected:
    void alert() override
    {
        std::printf("alert\n");
        std::fflush(stdout);
        QtSoundOutput::alert();
    }
};

void report(const char *line)
{
    std::printf("%s\n", line);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER\n", argv[0]);
        return 2;
    }
    const QString soundFolder = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/Sound/");
    ReportingOutput sound;

    const auto cue = [&](const char *name) {
        QElapsedTimer timer;
        timer.start();
        sound.play(soundFolder + QLatin1String(name) + QStringLiteral(".wav"));
        std::printf("play %s %.3f\n", name, double(timer.nsecsElapsed()) / 1e6);
        std::fflush(stdout);
    };
    // Were it played, the broken cue would hang the helper once its sound
    // reached PulseAudio: the good cue after it must still sound.
    QTimer::singleShot(0, [&] { cue("broken"); });
    QTimer::singleShot(250, Qt::PreciseTimer, [&] { cue("5"); });
    QTimer::singleShot(1000, Qt::PreciseTimer, [&] {
        cue("1");
        QTimer::singleShot(50, Qt::PreciseTimer, [&] {
            cue("6");
            QTimer::singleShot(250, [] { report("sounding"); });
        });
    });
    // 6.wav's sound ends 0.55 s after it starts.
    QTimer::singleShot(2000, [] { report("quiet"); });
    QTimer::singleShot(2800, &app, &QCoreApplication::quit);
    return app.exec();
}
