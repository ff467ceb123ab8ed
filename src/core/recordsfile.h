#pragma once

#include "core/gamerecord.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace marvesto {

// The records kept between runs: a JSON file with the best games by highest
// capital, and the last game with its curve. Every reading and every change
// happens under a lock file beside it, so that two games ending at once both
// keep their record, and it is written whole, by a new file renamed over the
// old one. A file that does not read as records is renamed aside, with the
// date in its name, and a new one is started. A folder that cannot be written
// leaves the game playing as before, with one line on standard error.
class RecordsFile {
public:
    static constexpr std::size_t kMaxRecords = 100;
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;
    // The last game's curve is thinned to this many points.
    static constexpr std::size_t kMaxCurvePoints = 500;

    struct Contents {
        // Best first.
        std::vector<GameRecord> best;
        std::optional<GameRecord> last;
    };

    // `now` names a file set aside.
    explicit RecordsFile(QString path,
                         std::function<QDateTime()> now = &QDateTime::currentDateTime);

    // records.json in the user's data folder (~/.local/share/Marvesto).
    static QString defaultPath();
    QString path() const { return m_path; }

    Contents read();
    // Adds the record, keeps the best kMaxRecords, and makes it the last game;
    // false when the file could not be written.
    bool add(const GameRecord &record);

    // Where a file that did not read was set aside; told once, then empty.
    QString takeSetAside();

private:
    // Reads the file as it is; a broken one is set aside. False when a file
    // is there that cannot be read or set aside.
    bool load(Contents &contents);
    bool save(const Contents &contents);
    void setAside(const QString &why);
    void warn(const QString &what);

    QString m_path;
    std::function<QDateTime()> m_now;
    QString m_setAside;
    bool m_warned = false;
};

} // namespace marvesto
