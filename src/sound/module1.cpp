#include "sound/module1.h"

#include "shell/services.h"

namespace marvesto {

void PlayCue(const Services &services, const QString &name, quint32 mode)
{
    const QString path =
        services.files.programFolder() + QStringLiteral("/Sound/") + name + QStringLiteral(".wav");
    services.sound.play(path, mode);
}

} // namespace marvesto
