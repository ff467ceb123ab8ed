#include "core/cues.h"

#include "core/services.h"

namespace marvesto {

QString cuePath(const QString &programFolder, Cue cue)
{
    return programFolder + QStringLiteral("/Sound/") + QString::number(static_cast<int>(cue))
        + QStringLiteral(".wav");
}

void CuePlayer::play(Cue cue)
{
    if (!m_on)
        return;
    m_services.sound.play(cuePath(m_services.files.programFolder(), cue));
}

} // namespace marvesto
