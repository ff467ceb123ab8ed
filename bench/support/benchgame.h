#pragma once

// A real Game on the real Qt clock, as main.cpp builds it, with the two
// services that need a person replaced: the prompts are answered at once and
// the program never ends itself. Sound, random draws and files are the game's own.

#include "app/qtclock.h"
#include "app/qtservices.h"
#include "app/qtsoundoutput.h"
#include "core/game.h"
#include "core/services.h"
#include "ui/desk.h"
#include "ui/toolkit/mainwindow.h"
#include "wait.h"

#include <memory>

namespace bench {

// The floor the program gives 1 ms timers; the bench programs use the same.
constexpr int programTimerFloorMs()
{
    return marvesto::kTimerFloorMs;
}

// Answers every input box with its default (or a set capital) and every message box with Yes/OK.
class AnsweringDialogs : public marvesto::Dialogs {
public:
    QString capital = QStringLiteral("100000000");
    int inputs = 0;
    int messages = 0;
    QString inputBox(const QString &prompt, const QString &title,
                     const QString &defaultAnswer) override;
    Answer messageBox(const QString &text, Buttons buttons, Icon icon,
                      const QString &title) override;
    void about(const QString &, const QString &) override {}
};

// The program folder is given rather than the executable's own.
class FolderFiles : public marvesto::Files, public marvesto::Pictures {
public:
    explicit FolderFiles(QString folder) : m_folder(std::move(folder)) {}
    QString programFolder() const override { return m_folder; }
    bool canRead(const QString &path) const override { return m_files.canRead(path); }
    QImage loadPicture(const QString &path) const override { return m_files.loadPicture(path); }

private:
    QString m_folder;
    marvesto::QtFiles m_files;
};

class CountingSession : public marvesto::Session {
public:
    void endNow() override { ++endings; }
    int endings = 0;
};

// The program folder the build copies DeskTop.jpg and Sound/ into.
QString defaultAppFolder();

// Everything main.cpp wires, built in the same order. start() shows the main
// window over the screen and runs the start-up; the prompts answer themselves.
struct RunningGame {
    explicit RunningGame(const QString &programFolder = defaultAppFolder());
    void start();

    marvesto::MainWindow frame;
    marvesto::QtClock clock;
    AnsweringDialogs dialogs;
    marvesto::QtRandom random;
    marvesto::QtSoundOutput sound;
    FolderFiles files;
    CountingSession session;
    std::unique_ptr<marvesto::Game> game;
    std::unique_ptr<marvesto::Desk> desk;
};

} // namespace bench
