#pragma once

#include "shell/form.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace marvesto {

class Game;

// The won boxes: opening one appraises it; buyers make offers for them.
class Form4 : public Form {
    Q_OBJECT
public:
    explicit Form4(Game &game);

    QListWidget *List1() { return control<QListWidget>("List1"); }
    QLineEdit *Text1() { return control<QLineEdit>("Text1"); }
    QPushButton *Command1() { return control<QPushButton>("Command1"); }
    Timer &Offerte() { return timer(m_offerte); }

    // Opens the selected box.
    void List1_DblClick();
    void Command1_Click() { List1_DblClick(); }
    // One offer attempt after a console command.
    void Offerte_Timer();

protected:
    void wireControls() override;
    void onLoad() override;
    bool onEscape() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void focusCommandLine();

    Game &m_game;
    Timer &m_offerte;
};

} // namespace marvesto
