// The floor for start-up and memory: the least a Qt 6 Widgets program does to
// put a window on the screen. An empty main window, shown, and the event loop.
//
//   baseline_minimal          the floor: an empty main window
//   baseline_minimal --text   the same window holding one line of text; shown
//                             beside the floor because an empty window never
//                             loads a font, and any window with text must

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal Qt window"));
    if (QCoreApplication::arguments().contains(QStringLiteral("--text")))
        window.setCentralWidget(new QLabel(QStringLiteral("Nome del giocatore"), &window));
    window.show();
    return app.exec();
}
