// The baseline for the idle cost: a bare Qt Widgets program whose only work is
// one 1 ms timer with an empty handler.

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [] {});
    timer.start(1);
    return app.exec();
}
