#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

namespace marvesto {

// How a game ended.
enum class GameEnding { Bankruptcy, NewGame, Quit };

// The capital at one moment of a game's time (paused time left out).
struct CapitalPoint {
    qint64 ms = 0;
    double capital = 0;
    bool operator==(const CapitalPoint &) const = default;
};

// What a game leaves when it ends. Amounts are numbers: a capital that reads
// as no number counts as 0.
struct GameRecord {
    QString player;
    QDateTime started;
    double startingCapital = 0;
    double highestCapital = 0;
    double finalCapital = 0;
    int boxesWon = 0;
    int boxesOpened = 0;
    int offersAccepted = 0;
    qint64 playedMs = 0;
    GameEnding ending = GameEnding::Quit;
    // The capital at the start and at each change; empty where it was not kept.
    std::vector<CapitalPoint> curve;

    bool operator==(const GameRecord &) const = default;

    // The curve goes in only when asked for: the best games keep none.
    QJsonObject toJson(bool withCurve) const;
    // Nothing when a field is missing or of the wrong type or range.
    static std::optional<GameRecord> fromJson(const QJsonObject &object);
};

// Better first: the higher capital reached, then the earlier start.
bool isBetter(const GameRecord &a, const GameRecord &b);

// The curve with at most `most` points: the first, the last and the highest
// kept, the others evenly picked.
std::vector<CapitalPoint> thinned(const std::vector<CapitalPoint> &curve, std::size_t most);

} // namespace marvesto
