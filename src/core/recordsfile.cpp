#include "core/recordsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace marvesto {

namespace {

const QString kBest = QStringLiteral("best");
const QString kLast = QStringLiteral("last");
// How long the window waits for a game ending elsewhere before it reads anyway.
constexpr int kReadLockWaitMs = 2000;
// How long an ending game waits for another; a lock older than Qt's stale
// time (30 s), or left by a process that has gone, is taken over anyway.
constexpr int kWriteLockWaitMs = 40000;

// Reads records as the file holds them; nothing when they are not.
std::optional<RecordsFile::Contents> parse(const QByteArray &data)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonValue best = object.value(kBest);
    const QJsonValue last = object.value(kLast);
    if (!best.isArray() || !(last.isUndefined() || last.isNull() || last.isObject()))
        return std::nullopt;
    RecordsFile::Contents contents;
    for (const QJsonValue &value : best.toArray()) {
        const auto record =
            value.isObject() ? GameRecord::fromJson(value.toObject()) : std::nullopt;
        if (!record)
            return std::nullopt;
        contents.best.push_back(*record);
    }
    if (last.isObject()) {
        contents.last = GameRecord::fromJson(last.toObject());
        if (!contents.last)
            return std::nullopt;
    }
    std::stable_sort(contents.best.begin(), contents.best.end(), isBetter);
    if (contents.best.size() > RecordsFile::kMaxRecords)
        contents.best.resize(RecordsFile::kMaxRecords);
    return contents;
}

} // namespace

RecordsFile::RecordsFile(QString path, std::function<QDateTime()> now)
    : m_path(std::move(path)), m_now(std::move(now))
{
}

QString RecordsFile::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        + QStringLiteral("/records.json");
}

QString RecordsFile::takeSetAside()
{
    return std::exchange(m_setAside, QString());
}

void RecordsFile::warn(const QString &what)
{
    if (std::exchange(m_warned, true))
        return;
    std::fprintf(stderr, "marvesto: the records are not kept in %s: %s\n", qPrintable(m_path),
                 qPrintable(what));
    std::fflush(stderr);
}

void RecordsFile::setAside(const QString &why)
{
    const QFileInfo info(m_path);
    const QString stem =
        info.dir().filePath(info.completeBaseName() + QStringLiteral(".broken-")
                            + m_now().toString(QStringLiteral("yyyy-MM-dd-HHmmss")));
    QString aside = stem + QStringLiteral(".json");
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = stem + QStringLiteral("-%1.json").arg(n);
    if (!QFile::rename(m_path, aside)) {
        warn(QStringLiteral("%1, and it cannot be renamed aside").arg(why));
        return;
    }
    m_setAside = aside;
}

bool RecordsFile::load(Contents &contents)
{
    contents = {};
    const QFileInfo info(m_path);
    if (!info.exists())
        return true;
    // A folder, a pipe or a device is never read (a pipe would wait for a writer).
    if (!info.isFile()) {
        warn(QStringLiteral("it is not a regular file"));
        return false;
    }
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        warn(file.errorString());
        return false;
    }
    const QByteArray data = file.read(kMaxFileBytes + 1);
    file.close();
    std::optional<Contents> read;
    if (data.size() <= kMaxFileBytes)
        read = parse(data);
    if (!read) {
        setAside(data.size() > kMaxFileBytes ? QStringLiteral("it is larger than 1 MiB")
                                             : QStringLiteral("it does not read as records"));
        return !QFileInfo::exists(m_path);
    }
    contents = std::move(*read);
    return true;
}

bool RecordsFile::save(const Contents &contents)
{
    QJsonArray best;
    for (const GameRecord &record : contents.best)
        best.append(record.toJson(false));
    QJsonObject object{{kBest, best}};
    if (contents.last)
        object.insert(kLast, contents.last->toJson(true));
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(QJsonDocument(object).toJson(QJsonDocument::Compact)) < 0 || !file.commit()) {
        warn(file.errorString());
        return false;
    }
    return true;
}

RecordsFile::Contents RecordsFile::read()
{
    Contents contents;
    if (!QFileInfo::exists(m_path))
        return contents;
    // Read even when the lock cannot be had: the folder may be read-only.
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.tryLock(kReadLockWaitMs);
    load(contents);
    return contents;
}

bool RecordsFile::add(const GameRecord &record)
{
    const QString folder = QFileInfo(m_path).path();
    if (!QDir().mkpath(folder)) {
        warn(QStringLiteral("the folder cannot be made"));
        return false;
    }
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(kWriteLockWaitMs)) {
        warn(lock.error() == QLockFile::LockFailedError
                 ? QStringLiteral("another game holds the lock")
                 : QStringLiteral("the folder cannot be written"));
        return false;
    }
    Contents contents;
    if (!load(contents))
        return false;
    GameRecord kept = record;
    kept.curve.clear();
    contents.best.insert(std::upper_bound(contents.best.begin(), contents.best.end(), kept,
                                          isBetter),
                         kept);
    if (contents.best.size() > kMaxRecords)
        contents.best.resize(kMaxRecords);
    contents.last = record;
    contents.last->curve = thinned(record.curve, kMaxCurvePoints);
    return save(contents);
}

} // namespace marvesto
