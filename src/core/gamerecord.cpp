#include "core/gamerecord.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

namespace marvesto {

namespace {

const std::pair<GameEnding, QString> kEndingNames[] = {
    {GameEnding::Bankruptcy, QStringLiteral("bankruptcy")},
    {GameEnding::NewGame, QStringLiteral("newGame")},
    {GameEnding::Quit, QStringLiteral("quit")},
};

// The largest whole number a double holds exactly; larger counts are not ours.
constexpr double kLargestCount = 9007199254740992.0;

std::optional<double> number(const QJsonValue &value)
{
    if (!value.isDouble() || !std::isfinite(value.toDouble()))
        return std::nullopt;
    return value.toDouble();
}

std::optional<qint64> count(const QJsonValue &value)
{
    const auto n = number(value);
    if (!n || *n < 0 || *n > kLargestCount || std::floor(*n) != *n)
        return std::nullopt;
    return static_cast<qint64>(*n);
}

std::optional<int> smallCount(const QJsonValue &value)
{
    const auto n = count(value);
    if (!n || *n > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*n);
}

} // namespace

QJsonObject GameRecord::toJson(bool withCurve) const
{
    QJsonObject object{
        {QStringLiteral("player"), player},
        {QStringLiteral("started"), started.toString(Qt::ISODateWithMs)},
        {QStringLiteral("startingCapital"), startingCapital},
        {QStringLiteral("highestCapital"), highestCapital},
        {QStringLiteral("finalCapital"), finalCapital},
        {QStringLiteral("boxesWon"), boxesWon},
        {QStringLiteral("boxesOpened"), boxesOpened},
        {QStringLiteral("offersAccepted"), offersAccepted},
        {QStringLiteral("playedMs"), playedMs},
    };
    for (const auto &[kind, name] : kEndingNames) {
        if (kind == ending)
            object.insert(QStringLiteral("ending"), name);
    }
    if (withCurve) {
        QJsonArray points;
        for (const CapitalPoint &point : curve)
            points.append(QJsonArray{point.ms, point.capital});
        object.insert(QStringLiteral("curve"), points);
    }
    return object;
}

std::optional<GameRecord> GameRecord::fromJson(const QJsonObject &object)
{
    GameRecord record;
    const QJsonValue player = object.value(QStringLiteral("player"));
    const QJsonValue started = object.value(QStringLiteral("started"));
    if (!player.isString() || !started.isString())
        return std::nullopt;
    record.player = player.toString();
    record.started = QDateTime::fromString(started.toString(), Qt::ISODateWithMs);
    if (!record.started.isValid())
        return std::nullopt;

    const auto starting = number(object.value(QStringLiteral("startingCapital")));
    const auto highest = number(object.value(QStringLiteral("highestCapital")));
    const auto final = number(object.value(QStringLiteral("finalCapital")));
    const auto won = smallCount(object.value(QStringLiteral("boxesWon")));
    const auto opened = smallCount(object.value(QStringLiteral("boxesOpened")));
    const auto accepted = smallCount(object.value(QStringLiteral("offersAccepted")));
    const auto played = count(object.value(QStringLiteral("playedMs")));
    if (!starting || !highest || !final || !won || !opened || !accepted || !played)
        return std::nullopt;
    record.startingCapital = *starting;
    record.highestCapital = *highest;
    record.finalCapital = *final;
    record.boxesWon = *won;
    record.boxesOpened = *opened;
    record.offersAccepted = *accepted;
    record.playedMs = *played;

    const QString ending = object.value(QStringLiteral("ending")).toString();
    const auto named = std::find_if(std::begin(kEndingNames), std::end(kEndingNames),
                                    [&ending](const auto &pair) { return pair.second == ending; });
    if (named == std::end(kEndingNames))
        return std::nullopt;
    record.ending = named->first;

    const QJsonValue curve = object.value(QStringLiteral("curve"));
    if (curve.isUndefined())
        return record;
    if (!curve.isArray())
        return std::nullopt;
    for (const QJsonValue &value : curve.toArray()) {
        const QJsonArray pair = value.toArray();
        const auto ms = count(pair.at(0));
        const auto capital = number(pair.at(1));
        if (!value.isArray() || pair.size() != 2 || !ms || !capital)
            return std::nullopt;
        record.curve.push_back({*ms, *capital});
    }
    return record;
}

bool isBetter(const GameRecord &a, const GameRecord &b)
{
    if (a.highestCapital != b.highestCapital)
        return a.highestCapital > b.highestCapital;
    return a.started < b.started;
}

std::vector<CapitalPoint> thinned(const std::vector<CapitalPoint> &curve, std::size_t most)
{
    if (curve.size() <= most || most < 3)
        return curve;
    const auto highest =
        static_cast<std::size_t>(std::max_element(curve.cbegin(), curve.cend(),
                                                  [](const CapitalPoint &a, const CapitalPoint &b) {
                                                      return a.capital < b.capital;
                                                  })
                                 - curve.cbegin());
    std::set<std::size_t> kept{0, curve.size() - 1, highest};
    const std::size_t step = (curve.size() + most - 4) / (most - 3);
    for (std::size_t i = step; i < curve.size() - 1 && kept.size() < most; i += step)
        kept.insert(i);
    std::vector<CapitalPoint> points;
    for (std::size_t i : kept)
        points.push_back(curve[i]);
    return points;
}

} // namespace marvesto
