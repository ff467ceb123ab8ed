#pragma once

#include <QString>

#include <memory>

class QAction;
class QActionGroup;
class QSettings;

namespace marvesto {

// Whether cues are heard and how fast the game runs, kept between runs in the
// settings file. The file is
// only ever read and written as a regular file (a link to one is followed): a
// FIFO would hang the start, a huge file would be read whole, and Qt saves by
// renaming a new file over the old one, which would replace a device or
// anything else a link pointed at. A file that is none of that is left alone
// for the run, with one warning, and the sound starts on.
class PlayerSettings {
public:
    static constexpr qint64 kMaxFileBytes = 64 * 1024;

    // ~/.config/Marvesto/Marvesto.conf, or wherever XDG_CONFIG_HOME says.
    static QString defaultPath();
    // What keeps the file at path from being the settings file, or an empty
    // string when it is usable: a regular file of at most kMaxFileBytes that
    // can be read, or nothing yet (a link to nothing yet included).
    static QString problemWith(const QString &path);

    // Checks the sound action and a speed as the file says (the sound on and
    // the first speed when it says nothing), and writes each change back to it
    // while this object lives. A speed is known by its action's data.
    PlayerSettings(const QString &path, QAction *sound, QActionGroup *speeds = nullptr);
    ~PlayerSettings();

private:
    std::unique_ptr<QSettings> m_settings; // none when the file is left alone
};

} // namespace marvesto
