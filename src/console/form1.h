#pragma once

#include "shell/form.h"

class QLineEdit;
class QPushButton;

namespace marvesto {

class ClickLabel;
class Game;
class LogView;

// The manager console: the log, the command line and its interpreter.
class Form1 : public Form {
    Q_OBJECT
public:
    explicit Form1(Game &game);

    QLineEdit *Money() { return control<QLineEdit>("Money"); }
    LogView *Text1() { return control<LogView>("Text1"); }
    QLineEdit *Text2() { return control<QLineEdit>("Text2"); }
    QPushButton *Command1() { return control<QPushButton>("Command1"); }
    ClickLabel *Label2() { return control<ClickLabel>("Label2"); }
    Timer &Timer1() { return timer(m_timer1); }
    // The bankruptcy watch's timer, without loading the window.
    Timer &watchTimer() { return m_timer1; }

    // The command interpreter.
    void Command1_Click();
    void Label2_Click();
    // Esc in the other game windows: empties the command line and focuses it
    // (which does nothing while the console is locked).
    void clearCommandLine();

protected:
    void wireControls() override;
    void onLoad() override;
    bool onKeyDown(QKeyEvent *event) override;
    bool onEscape() override;

private:
    void openAuction(int position);
    void describeCapital();

    Game &m_game;
    Timer &m_timer1;
};

} // namespace marvesto
