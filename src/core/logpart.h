#pragma once

#include "core/gamepart.h"

#include <QString>

namespace marvesto {

// A part whose window shows a log of what happened: the console and the
// auction room. The log's line breaks are CR LF.
class LogPart : public GamePart {
    Q_OBJECT
public:
    using GamePart::GamePart;

    QString log() const { return m_log; }
    void setLog(const QString &text);
    void appendLog(const QString &text);
    // Asks the log's view to show its end, caret included.
    void followLog() { emit logFollowed(); }

signals:
    void logChanged();
    // What changed: text added at the end, or the whole new log.
    void logAppended(const QString &text);
    void logReplaced(const QString &text);
    void logFollowed();

private:
    QString m_log;
};

} // namespace marvesto
