#include "app/language.h"
#include "app/loadedsound.h"
#include "app/playersettings.h"
#include "app/qtclock.h"
#include "app/qtservices.h"
#include "core/game.h"
#include "core/recordsfile.h"
#include "ui/desk.h"
#include "ui/toolkit/mainwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace {

// Qt ends the program with abort() when it cannot open the display it is
// pointed at: DISPLAY naming no X server, QT_QPA_PLATFORM=wayland with no
// compositor, an unknown -platform. Only Qt knows which platform it picks and
// how it connects, so rather than guess that beforehand, this catches Qt's own
// fatal message while QApplication is constructed and turns it into one line
// and exit code 1. The platform's warnings before it are held back so that the
// line stays one; once the display is open they go out as they would have.
class DisplayOpening {
public:
    DisplayOpening() { s_previous = qInstallMessageHandler(&DisplayOpening::handle); }
    ~DisplayOpening() { opened(); }
    DisplayOpening(const DisplayOpening &) = delete;
    DisplayOpening &operator=(const DisplayOpening &) = delete;

    void opened()
    {
        if (!s_previous)
            return;
        qInstallMessageHandler(s_previous);
        const std::lock_guard lock(s_mutex);
        for (const Held &held : s_held) {
            const auto text = [](const QByteArray &bytes) {
                return bytes.isNull() ? nullptr : bytes.constData();
            };
            const QMessageLogContext context(text(held.file), held.line, text(held.function),
                                             text(held.category));
            s_previous(held.type, context, held.message);
        }
        s_held.clear();
        s_previous = nullptr;
    }

private:
    struct Held {
        QtMsgType type;
        QByteArray file, function, category;
        int line;
        QString message;
    };

    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        const std::lock_guard lock(s_mutex);
        if (type != QtFatalMsg) {
            s_held.push_back(
                {type, context.file, context.function, context.category, context.line, message});
            return;
        }
        // Qt's first warning says what failed ("could not connect to display
        // :987"); its fatal message only that no platform plugin started.
        const QString reason = s_held.empty() ? message.section(u'\n', 0, 0).simplified()
                                              : s_held.front().message.simplified();
        std::fprintf(stderr,
                     "marvesto: cannot open a window%s%s; start it from a desktop session, or "
                     "check DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM\n",
                     reason.isEmpty() ? "" : ": ", reason.toLocal8Bit().constData());
        std::fflush(stderr);
        // Nothing of the half-made application is cleaned up on the way out.
        ::_exit(1);
    }

    static inline QtMessageHandler s_previous = nullptr;
    static inline std::mutex s_mutex;
    static inline std::vector<Held> s_held;
};

// --help and --version are answered before Qt looks for a display, so that
// they work anywhere; without any display the game says what it needs, rather
// than letting Qt abort. The player's language is chosen here, and --help
// speaks it.
void handleCommandLine(int argc, char *argv[], marvesto::Language &language)
{
    QCommandLineParser parser;
    // A single dash starts a whole option name, as in Qt's own options: read
    // as letters, -reverse would be -r -e -v ..., and -v is --version. -h and
    // -v still name help and version.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    QStringList arguments;
    {
        // For the parser, which names the program from it, and the translations.
        QCoreApplication core(argc, argv);
        language.load(marvesto::QtFiles().programFolder() + QStringLiteral("/translations"));
        // Qt's own lines of --help stay as they have been, in English.
        language.install(true);
        parser.setApplicationDescription(QCoreApplication::translate(
            "main", "Compra box all'asta e rivendine il contenuto: un gioco per una persona."));
        arguments = QCoreApplication::arguments();
        // Qt's own options (-platform, -style, ...) are left to QApplication.
        parser.parse(arguments);
        if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
            parser.showHelp(0);
        if (parser.isSet(QStringLiteral("version")))
            parser.showVersion();
    }

    const bool platformChosen = qEnvironmentVariableIsSet("QT_QPA_PLATFORM")
        || std::any_of(arguments.cbegin(), arguments.cend(),
                       [](const QString &a) { return a.startsWith(QStringLiteral("-platform")); });
    if (!platformChosen && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("marvesto: no display to open a window on; start it from a desktop session "
                   "(Wayland or X11), or with DISPLAY or WAYLAND_DISPLAY set\n",
                   stderr);
        std::exit(1);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Marvesto"));
    QCoreApplication::setOrganizationName(QStringLiteral("Marvesto"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MARVESTO_VERSION));
    marvesto::Language language;
    handleCommandLine(argc, argv, language);

    DisplayOpening opening;
    QApplication app(argc, argv);
    opening.opened();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/marvesto.png")));
    // The desktop entry's id: Wayland compositors match the app_id to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.marvesto.Marvesto"));

    // The game's texts and the dialogs' standard buttons in the player's language.
    language.install();

    marvesto::MainWindow frame;
    marvesto::QtClock clock(marvesto::kTimerFloorMs);
    marvesto::QtDialogs dialogs(&frame);
    marvesto::QtRandom random;
    // The sound module: beside the program in the build tree, in
    // lib/marvesto under the prefix once installed.
    const QString programFolder = QCoreApplication::applicationDirPath();
    marvesto::LoadedSoundOutput sound(
        {programFolder, QDir::cleanPath(programFolder + QStringLiteral("/../lib/marvesto"))});
    marvesto::QtFiles files;
    marvesto::QtSession session;
    marvesto::Game game({clock, dialogs, random, sound, files, session});
    // Each ended game's record is kept in ~/.local/share/Marvesto/records.json.
    marvesto::RecordsFile records(marvesto::RecordsFile::defaultPath());
    game.keepRecordsIn(&records);
    // Closing the main window, or the desktop ending the program, ends the game too.
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &game, &marvesto::Game::closing);
    marvesto::Desk desk(game, frame, files);
    // Loaded once the player has answered the prompts, long before the first
    // cue; a cue asked for earlier loads it at once.
    QObject::connect(&game, &marvesto::Game::gameStarted, &frame, [&sound] { sound.load(); });

    // Whether cues are heard and the game's speed are remembered between runs
    // (~/.config/Marvesto/).
    const marvesto::PlayerSettings settings(marvesto::PlayerSettings::defaultPath(),
                                            frame.soundAction(), frame.speedActions());

    // Fill the screen even where no window manager honours the maximised state.
    if (const QScreen *screen = frame.screen())
        frame.setGeometry(screen->availableGeometry());
    frame.showMaximized();
    QTimer::singleShot(0, &desk, &marvesto::Desk::start);
    return app.exec();
}
