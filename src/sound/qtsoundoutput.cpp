#include "sound/qtsoundoutput.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

#include <utility>

namespace marvesto {

namespace {

// Time allowed beyond a cue's length for loading it and opening the output.
constexpr int kEndMarginMs = 500;

// The length of the sound in a complete wave file, or -1 when the file is not
// one. Qt's loader never reports an error for an empty, truncated or garbled
// file, it stays loading for ever, so such files are turned away here.
int waveLengthMs(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray riff = file.read(12);
    if (riff.size() != 12 || !riff.startsWith("RIFF") || riff.mid(8) != "WAVE")
        return -1;
    quint32 bytesPerSecond = 0;
    for (;;) {
        const QByteArray header = file.read(8);
        if (header.size() != 8)
            return -1;
        const quint32 size = qFromLittleEndian<quint32>(header.constData() + 4);
        const qint64 body = file.pos();
        if (header.startsWith("data")) {
            if (bytesPerSecond == 0 || size == 0 || size > file.size() - body)
                return -1;
            return int(qint64(size) * 1000 / bytesPerSecond);
        }
        if (header.startsWith("fmt ")) {
            const QByteArray format = file.read(12);
            if (format.size() != 12)
                return -1;
            bytesPerSecond = qFromLittleEndian<quint32>(format.constData() + 8);
        }
        // Chunks are padded to an even size.
        if (!file.seek(body + size + (size & 1)))
            return -1;
    }
}

} // namespace

QtSoundOutput::QtSoundOutput(QObject *parent) : QObject(parent)
{
    m_endTimer.setSingleShot(true);
    connect(&m_endTimer, &QTimer::timeout, this, &QtSoundOutput::onEndDue);
}

QtSoundOutput::~QtSoundOutput() = default;

// Every cue plays without waiting, whatever mode the caller asks for.
void QtSoundOutput::play(const QString &path, quint32)
{
    // The new cue, or the alert standing in for it, cuts off the one playing.
    stopCurrent();
    const Cue cue = cueFor(path);
    // Test the status before play(), which turns Error into Null.
    if (!cue.effect || cue.effect->status() == QSoundEffect::Error) {
        alert();
        return;
    }
    m_current = cue.effect;
    m_current->play(); // while the file is still loading, it starts once loaded
    m_endTimer.start(cue.lengthMs + kEndMarginMs);
}

void QtSoundOutput::alert()
{
    QApplication::beep();
}

QtSoundOutput::Cue QtSoundOutput::cueFor(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return {};
    auto it = m_cues.constFind(path);
    if (it == m_cues.cend()) {
        const int lengthMs = waveLengthMs(path);
        if (lengthMs < 0)
            return {};
        auto *effect = new QSoundEffect(this);
        // Formats Qt refuses (24-bit, float, extensible) fail only after loading.
        connect(effect, &QSoundEffect::statusChanged, this, [this, effect] {
            if (effect == m_current && effect->status() == QSoundEffect::Error) {
                stopCurrent();
                alert();
            }
        });
        effect->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
        it = m_cues.insert(path, {effect, lengthMs});
    }
    return *it;
}

void QtSoundOutput::stopCurrent()
{
    m_endTimer.stop();
    if (QSoundEffect *effect = std::exchange(m_current, nullptr))
        effect->stop();
}

// Qt stops a cue itself when its output runs dry and closes the stream, but
// without an audio device it reports the cue playing for ever; and a cue still
// loading by now never will load.
void QtSoundOutput::onEndDue()
{
    QSoundEffect *effect = std::exchange(m_current, nullptr);
    if (!effect)
        return;
    const bool neverLoaded = effect->status() == QSoundEffect::Loading;
    effect->stop();
    if (neverLoaded)
        alert();
}

} // namespace marvesto
