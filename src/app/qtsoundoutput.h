#pragma once

#include "core/services.h"

#include <QHash>
#include <QObject>
#include <QTimer>

class QSoundEffect;

namespace marvesto {

// Plays cue files through Qt Multimedia without waiting, one at a time. A cue
// whose file is missing or cannot be played sounds the desktop's alert instead.
// The next effect for a file is loaded as soon as one starts, so a cue heard
// before starts at once.
class QtSoundOutput : public QObject, public SoundOutput {
    Q_OBJECT
public:
    explicit QtSoundOutput(QObject *parent = nullptr);
    ~QtSoundOutput() override;
    void play(const QString &path) override;

protected:
    // Sounds in place of a cue that cannot play.
    virtual void alert();

private:
    struct Cue {
        QSoundEffect *effect = nullptr;
        int lengthMs = 0;
    };

    // The loaded cue for the file; no effect when the file cannot be played.
    Cue cueFor(const QString &path);
    QSoundEffect *newEffect(const QString &path);
    void stopCurrent();

    QHash<QString, Cue> m_cues;
    QSoundEffect *m_current = nullptr;
    QTimer m_endTimer;
};

} // namespace marvesto
