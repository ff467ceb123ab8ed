#pragma once

#include "shell/services.h"

#include <QObject>

namespace marvesto {

// Plays cue files through Qt Multimedia.
class QtSoundOutput : public QObject, public SoundOutput {
    Q_OBJECT
public:
    explicit QtSoundOutput(QObject *parent = nullptr);
    ~QtSoundOutput() override;
    void play(const QString &path, quint32 mode) override;
};

} // namespace marvesto
