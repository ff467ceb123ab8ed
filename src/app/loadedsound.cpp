#include "app/loadedsound.h"

#include <QApplication>
#include <QDir>
#include <QLibrary>

namespace marvesto {

namespace {

constexpr char kModule[] = "marvesto-sound";
constexpr char kFactory[] = "marvesto_create_sound_output";
using Factory = SoundOutput *(*)();

// Stands in for a module that is missing or broken.
class AlertOnly : public SoundOutput {
public:
    void play(const QString &) override { QApplication::beep(); }
};

} // namespace

LoadedSoundOutput::LoadedSoundOutput(QStringList folders) : m_folders(std::move(folders)) {}

LoadedSoundOutput::~LoadedSoundOutput() = default;

void LoadedSoundOutput::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    for (const QString &folder : m_folders) {
        // Never unloaded: the output's objects live until the program ends.
        QLibrary library(QDir(folder).filePath(QString::fromLatin1(kModule)));
        if (auto create = reinterpret_cast<Factory>(library.resolve(kFactory))) {
            m_output.reset(create());
            return;
        }
    }
    qWarning("marvesto: no sound module (%s) in %s; cues sound the alert", kModule,
             qPrintable(m_folders.join(QStringLiteral(", "))));
    m_output = std::make_unique<AlertOnly>();
}

void LoadedSoundOutput::play(const QString &path)
{
    load();
    m_output->play(path);
}

} // namespace marvesto
