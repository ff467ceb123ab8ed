#pragma once

#include "shell/form.h"

class QLineEdit;
class QPushButton;

namespace marvesto {

class Game;
class LogView;

// The auction room: the player bids against rivals who raise or give up.
class Form3 : public Form {
    Q_OBJECT
public:
    explicit Form3(Game &game);

    LogView *Text1() { return control<LogView>("Text1"); }
    QLineEdit *Text2() { return control<QLineEdit>("Text2"); }
    QPushButton *Command1() { return control<QPushButton>("Command1"); }
    Timer &Timer1() { return timer(m_timer1); }
    Timer &Timer2() { return timer(m_timer2); }
    Timer &Timer3() { return timer(m_timer3); }
    qint16 countdown() const { return m_countdown; }

    // The bid step.
    void Command1_Click();
    // The rivals' turn.
    void Timer1_Timer();
    // The countdown after a raise.
    void Timer2_Timer();
    // The closing pause.
    void Timer3_Timer();

protected:
    void wireControls() override;
    void onLoad() override;
    void onUnload() override;
    bool onEscape() override;

private:
    void win();
    void addToPrice(double amount);

    Game &m_game;
    Timer &m_timer3;
    Timer &m_timer2;
    Timer &m_timer1;
    // Countdown ticks since the last raise; belongs to the window object.
    qint16 m_countdown = 0;
};

} // namespace marvesto
