#pragma once

#include "core/gamepart.h"

#include <QStringList>

namespace marvesto {

// A part whose window lists box lines, one a row, the first at position 0:
// the market and the won boxes.
class BoxListPart : public GamePart {
    Q_OBJECT
public:
    using GamePart::GamePart;

    QStringList lines() const { return m_lines; }
    int count() const { return static_cast<int>(m_lines.size()); }
    // Empty for a position with no line.
    QString line(int position) const;
    void addLine(const QString &line);
    // Nothing for a position with no line.
    void removeLine(int position);
    void clearLines();

signals:
    void lineAdded(int position);
    void lineRemoved(int position);
    void linesCleared();

private:
    QStringList m_lines;
};

} // namespace marvesto
