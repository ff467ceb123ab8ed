#include "core/boxlistpart.h"

namespace marvesto {

QString BoxListPart::line(int position) const
{
    return position >= 0 && position < count() ? m_lines.at(position) : QString();
}

void BoxListPart::addLine(const QString &line)
{
    m_lines.append(line);
    emit lineAdded(count() - 1);
}

void BoxListPart::removeLine(int position)
{
    if (position < 0 || position >= count())
        return;
    m_lines.removeAt(position);
    emit lineRemoved(position);
}

void BoxListPart::clearLines()
{
    if (m_lines.isEmpty())
        return;
    m_lines.clear();
    emit linesCleared();
}

} // namespace marvesto
