#include "benchgame.h"

#include <QScreen>

namespace bench {

QString defaultAppFolder()
{
    return QStringLiteral(MARVESTO_BENCH_APP_DIR);
}

QString AnsweringDialogs::inputBox(const QString &, const QString &title,
                                   const QString &defaultAnswer)
{
    ++inputs;
    if (title.startsWith(QStringLiteral("Quant")))
        return capital;
    return defaultAnswer;
}

marvesto::Dialogs::Answer AnsweringDialogs::messageBox(const QString &, Buttons buttons, Icon,
                                                       const QString &)
{
    ++messages;
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
}

RunningGame::RunningGame(const QString &programFolder)
    : clock(programTimerFloorMs()), files(programFolder)
{
    game = std::make_unique<marvesto::Game>(
        marvesto::Services{clock, dialogs, random, sound, files, session});
    desk = std::make_unique<marvesto::Desk>(*game, frame, files);
}

void RunningGame::start()
{
    if (const QScreen *screen = frame.screen())
        frame.setGeometry(screen->availableGeometry());
    frame.showMaximized();
    desk->start();
}

} // namespace bench
