#pragma once

#include "core/services.h"

#include <QStringList>

#include <memory>

namespace marvesto {

// The sound output from the sound module, loaded by load() or by the first cue,
// whichever comes first: a cue never waits for more than the load and is
// never dropped. Without the module every cue sounds the desktop's alert.
class LoadedSoundOutput : public SoundOutput {
public:
    // The folders to look for the module in, in order.
    explicit LoadedSoundOutput(QStringList folders);
    ~LoadedSoundOutput() override;

    void play(const QString &path) override;
    void load();
    bool isLoaded() const { return m_loaded; }

private:
    QStringList m_folders;
    std::unique_ptr<SoundOutput> m_output;
    bool m_loaded = false;
};

} // namespace marvesto
