#include "core/logpart.h"

namespace marvesto {

void LogPart::setLog(const QString &text)
{
    if (!change(m_log, text))
        return;
    emit logChanged();
    emit logReplaced(text);
}

void LogPart::appendLog(const QString &text)
{
    // Grows in place: no copy of the whole log to compare with.
    if (text.isEmpty())
        return;
    m_log += text;
    emit logChanged();
    emit logAppended(text);
}

} // namespace marvesto
