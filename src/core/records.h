#pragma once

#include "core/amounts.h"
#include "core/gamerecord.h"

#include <QObject>

namespace marvesto {

class GameClock;

// Follows the game being played and makes its record when it ends. The game
// tells it what happens, as values; it reads only the game's time.
class Records : public QObject {
    Q_OBJECT
public:
    explicit Records(GameClock &time, QObject *parent = nullptr);

    bool isRunning() const { return m_running; }
    // The running game's record so far, curve included.
    const GameRecord &current() const { return m_current; }
    // The game time the running game has lasted so far, or the ended one lasted.
    qint64 playedMs() const { return m_running ? sinceStart() : m_current.playedMs; }

    // A game starts with the player's answers (the capital as typed).
    void begin(const QString &player, const Amount &capital);
    // Each change of the capital, as the console shows it.
    void noteCapital(const Amount &capital);
    void noteBoxWon() { add(m_current.boxesWon); }
    void noteBoxOpened() { add(m_current.boxesOpened); }
    void noteOfferAccepted() { add(m_current.offersAccepted); }
    // The game ends: its record goes out once; after that, nothing until begin().
    void finish(GameEnding ending);

signals:
    // A new point of the curve, or a new count.
    void changed();
    void recorded(const GameRecord &record);

private:
    void add(int &counter);
    qint64 sinceStart() const;

    GameClock &m_time;
    GameRecord m_current;
    qint64 m_startedAt = 0;
    bool m_running = false;
};

} // namespace marvesto
