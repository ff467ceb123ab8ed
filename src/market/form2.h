#pragma once

#include "shell/form.h"

class QListWidget;

namespace marvesto {

class Game;

// The market: a new box for sale every second, a tax every eleventh.
class Form2 : public Form {
    Q_OBJECT
public:
    explicit Form2(Game &game);

    QListWidget *List1() { return control<QListWidget>("List1"); }
    Timer &Timer1() { return timer(m_timer1); }
    qint16 taxCounter() const { return m_taxCounter; }

    void Timer1_Timer();

protected:
    void onLoad() override;
    bool onEscape() override;

private:
    Game &m_game;
    Timer &m_timer1;
    // Ticks since the last tax; belongs to the window object, so a reload keeps it.
    qint16 m_taxCounter = 0;
};

} // namespace marvesto
