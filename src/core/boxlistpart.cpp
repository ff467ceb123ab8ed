#include "core/boxlistpart.h"

namespace marvesto {

Box BoxListPart::box(int position) const
{
    return has(position) ? m_boxes.at(position) : Box();
}

void BoxListPart::addBox(const Box &box)
{
    m_boxes.append(box);
    emit lineAdded(count() - 1);
}

QStringList BoxListPart::lines() const
{
    QStringList lines;
    lines.reserve(m_boxes.size());
    for (const Box &box : m_boxes)
        lines.append(lineOf(box));
    return lines;
}

QString BoxListPart::line(int position) const
{
    return has(position) ? lineOf(m_boxes.at(position)) : QString();
}

void BoxListPart::removeLine(int position)
{
    if (!has(position))
        return;
    m_boxes.removeAt(position);
    emit lineRemoved(position);
}

void BoxListPart::clearLines()
{
    if (m_boxes.isEmpty())
        return;
    m_boxes.clear();
    emit linesCleared();
}

} // namespace marvesto
