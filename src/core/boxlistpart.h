#pragma once

#include "core/box.h"
#include "core/gamepart.h"

#include <QList>
#include <QStringList>

namespace marvesto {

// A part whose window lists boxes, one a line, the first at position 0: the
// market and the won boxes. Each part writes its own kind of line.
class BoxListPart : public GamePart {
    Q_OBJECT
public:
    using GamePart::GamePart;

    QList<Box> boxes() const { return m_boxes; }
    int count() const { return static_cast<int>(m_boxes.size()); }
    // A default box for a position with no box.
    Box box(int position) const;
    void addBox(const Box &box);

    // The lines as the window shows them.
    QStringList lines() const;
    // Empty for a position with no box.
    QString line(int position) const;
    // Nothing for a position with no box.
    void removeLine(int position);
    void clearLines();

signals:
    void lineAdded(int position);
    void lineRemoved(int position);
    void linesCleared();

protected:
    virtual QString lineOf(const Box &box) const = 0;

private:
    bool has(int position) const { return position >= 0 && position < count(); }

    QList<Box> m_boxes;
};

} // namespace marvesto
