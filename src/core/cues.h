#pragma once

#include <QString>

namespace marvesto {

struct Services;

// The game's sounds. Each plays <program folder>/Sound/<number>.wav.
enum class Cue {
    Raise = 1,       // the rivals raise, and each step of the countdown
    AuctionOver = 2, // won or lost
    RoomCloses = 3,  // the auction room closes itself
    Bid = 5,         // the player bids
    CashIn = 6,      // an opened box or a sale pays
};

// The cue file's path under the program folder.
QString cuePath(const QString &programFolder, Cue cue);

// Plays cues without waiting for their end, while the sound is on.
class CuePlayer {
public:
    explicit CuePlayer(const Services &services) : m_services(services) {}

    void play(Cue cue);
    // Off: nothing plays, and nothing beeps in its place either.
    void setOn(bool on) { m_on = on; }

private:
    const Services &m_services;
    bool m_on = true;
};

} // namespace marvesto
