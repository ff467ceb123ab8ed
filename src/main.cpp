#include "lifecycle/game.h"
#include "shell/clock.h"
#include "shell/mainframe.h"
#include "shell/qtservices.h"
#include "sound/qtsoundoutput.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QTranslator>

namespace {

// 1 ms timers tick at most this often, as on desktops whose timer service is
// coarser than a millisecond; it keeps an idle game cheap.
constexpr int kMinimumTimerPeriodMs = 5;

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marvesto"));
    QApplication::setOrganizationName(QStringLiteral("Marvesto"));
    QApplication::setApplicationVersion(QStringLiteral(MARVESTO_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/marvesto.png")));
    // The desktop entry's id: Wayland compositors match the app_id to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.marvesto.Marvesto"));

    // The dialogs' standard buttons in Italian: "OK"/"Annulla", "Sì"/"No".
    QTranslator qtItalian;
    if (qtItalian.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtItalian);

    marvesto::MainFrame frame;
    marvesto::QtClock clock(kMinimumTimerPeriodMs);
    marvesto::QtDialogs dialogs(&frame);
    marvesto::QtRandom random;
    marvesto::QtSoundOutput sound;
    marvesto::QtFiles files;
    marvesto::QtSession session;
    marvesto::Game game({clock, dialogs, random, sound, files, session}, frame);

    // Whether cues are heard is remembered between runs (~/.config/Marvesto/).
    QSettings settings;
    frame.soundAction()->setChecked(settings.value(QStringLiteral("sound"), true).toBool());
    QObject::connect(frame.soundAction(), &QAction::toggled, &settings,
                     [&settings](bool on) { settings.setValue(QStringLiteral("sound"), on); });

    // Fill the screen even where no window manager honours the maximised state.
    if (const QScreen *screen = frame.screen())
        frame.setGeometry(screen->availableGeometry());
    frame.showMaximized();
    QTimer::singleShot(0, &game, &marvesto::Game::MDIForm_Load);
    return app.exec();
}
