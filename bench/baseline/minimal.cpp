// The floor for start-up and memory: the least a Qt 6 Widgets program does to
// put a window on the screen. An empty main window, shown, and the event loop.
//
//   baseline_minimal          the floor: an empty main window
//   baseline_minimal --text   the same window holding one line of text; shown
//                             beside the floor because an empty window never
//                             loads a font, and any window with text must
//   baseline_minimal --prompt the game's first prompt alone, as the game asks
//                             it (Italian buttons included): the floor the
//                             game's start-up is held to

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMainWindow>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (QCoreApplication::arguments().contains(QStringLiteral("--prompt"))) {
        QTranslator italian;
        if (italian.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QApplication::installTranslator(&italian);
        QInputDialog::getText(nullptr, QStringLiteral("Nome del giocatore"),
                              QStringLiteral("Il tuo nome:"), QLineEdit::Normal,
                              QStringLiteral("Player"));
        return 0;
    }
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal Qt window"));
    if (QCoreApplication::arguments().contains(QStringLiteral("--text")))
        window.setCentralWidget(new QLabel(QStringLiteral("Nome del giocatore"), &window));
    window.show();
    return app.exec();
}
