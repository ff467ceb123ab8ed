#pragma once

#include "shell/form.h"

class QLineEdit;
class QPushButton;

namespace marvesto {

class ClickLabel;
class Game;
class LogView;

// A buyer's offer for one won box; each offer is a new instance.
class Form5 : public Form {
    Q_OBJECT
public:
    explicit Form5(Game &game);

    LogView *Text1() { return control<LogView>("Text1"); }
    QLineEdit *Prezzo() { return control<QLineEdit>("Prezzo"); }
    QLineEdit *Asta() { return control<QLineEdit>("Asta"); }
    QPushButton *Command2() { return control<QPushButton>("Command2"); }
    ClickLabel *Label2() { return control<ClickLabel>("Label2"); }
    Timer &Timer1() { return timer(m_timer1); }

    // The won-box line the offer is for, so that a sale finds its own box.
    void setOfferedLine(const QString &line) { m_offeredLine = line; }
    QString offeredLine() const { return m_offeredLine; }

    // Acceptance.
    void Command2_Click();
    // Refusals.
    void Label2_Click() { unload(); }
    void Timer1_Timer() { unload(); }

protected:
    void wireControls() override;
    void onLoad() override;
    void onUnload() override;
    bool onEscape() override;

private:
    int findOfferedRow();

    Game &m_game;
    Timer &m_timer1;
    QString m_offeredLine;
};

} // namespace marvesto
