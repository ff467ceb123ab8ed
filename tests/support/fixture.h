#pragma once

#include "doubles.h"

#include "auction/form3.h"
#include "console/form1.h"
#include "lifecycle/game.h"
#include "market/form2.h"
#include "sales/form4.h"
#include "sales/form5.h"
#include "shell/mainframe.h"

#include <QTemporaryDir>

#include <memory>

namespace marvesto::test {

// A whole game on the offscreen platform, with the virtual clock, scripted draws
// and answers, recorded cues and a program folder of its own.
class GameFixture {
public:
    GameFixture();
    ~GameFixture();

    // Runs the start-up sequence with these prompt answers.
    void start(const QString &name = QStringLiteral("Tester"),
               const QString &capital = QStringLiteral("50000"));
    // Moves time on, then lets windows closed meanwhile go.
    void advance(qint64 ms);
    // Delivers deferred deletions, as the event loop would.
    static void settle();

    // Typing at the console's command line, as a player does.
    void type(const QString &text);
    void pressEnter(QWidget *target = nullptr);
    void command(const QString &text); // type, then Enter

    // Market lines added directly, for tests of what the console does with them.
    void fillMarket(int lines);
    // Won-box lines added directly.
    void addWonBox(const QString &line);

    Form1 &form1() { return game->form1(); }
    Form2 &form2() { return game->form2(); }
    Form3 &form3() { return game->form3(); }
    Form4 &form4() { return game->form4(); }
    Form5 *offer(); // the open offer dialog, if any

    QString consoleText() { return game->console().text(); }
    QString capital() { return game->capital(); }
    QStringList lines(QListWidget *list) const;

    QTemporaryDir folder;
    VirtualClock clock;
    ScriptedDialogs dialogs;
    ScriptedRandom random;
    RecordingSound sound;
    std::unique_ptr<FolderFiles> files;
    RecordingSession session;
    std::unique_ptr<MainFrame> frame;
    std::unique_ptr<Game> game;
};

// A program folder with a picture and the cue files in it.
void writeBackdrop(const QString &folder, QSize size, QColor colour = Qt::darkCyan);

} // namespace marvesto::test
