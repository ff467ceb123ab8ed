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

// The length of the sound in a wave file Qt plays faithfully, or -1 for any
// other file. Qt never finishes loading an empty, truncated or garbled file,
// nor one ending in part of a sample frame, and reports no error: the cue stays
// loading, and deleting any effect afterwards waits on that load for ever. It
// also reads 24-bit samples as 16-bit ones, playing noise. So only complete 8-
// or 16-bit PCM files pass.
int playableLengthMs(const QString &path)
{
    QFile file(path);
    char riff[12];
    if (!file.open(QIODevice::ReadOnly) || file.read(riff, 12) != 12
        || QByteArrayView(riff, 4) != "RIFF" || QByteArrayView(riff + 8, 4) != "WAVE")
        return -1;
    quint32 bytesPerSecond = 0;
    quint16 bytesPerFrame = 0;
    for (;;) {
        char header[8];
        if (file.read(header, 8) != 8)
            return -1;
        const QByteArrayView id(header, 4);
        const auto size = qFromLittleEndian<quint32>(header + 4);
        const qint64 body = file.pos();
        if (id == "fmt ") {
            char format[16];
            if (file.read(format, 16) != 16)
                return -1;
            const auto formatTag = qFromLittleEndian<quint16>(format);
            const auto bitsPerSample = qFromLittleEndian<quint16>(format + 14);
            if (formatTag != 1 || (bitsPerSample != 8 && bitsPerSample != 16))
                return -1;
            bytesPerSecond = qFromLittleEndian<quint32>(format + 8);
            bytesPerFrame = qFromLittleEndian<quint16>(format + 12);
        } else if (id == "data") {
            if (bytesPerSecond == 0 || bytesPerFrame == 0 || size == 0 || size % bytesPerFrame != 0
                || size > file.size() - body)
                return -1;
            return int(qint64(size) * 1000 / bytesPerSecond);
        }
        // Chunks are padded to an even size.
        if (!file.seek(body + size + (size & 1)))
            return -1;
    }
}

} // namespace

QtSoundOutput::QtSoundOutput(QObject *parent) : QObject(parent)
{
    // Qt stops a cue itself when its output runs dry, closing the stream, but
    // without an audio device it reports the cue playing for ever. A cue that
    // has not loaded by its end must not start late either.
    m_endTimer.setSingleShot(true);
    connect(&m_endTimer, &QTimer::timeout, this, &QtSoundOutput::stopCurrent);
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
    // Qt 6.4 often plays nothing when an effect that was stopped is played again,
    // so every cue plays from an effect of its own: the next one loads now.
    m_cues.insert(path, {newEffect(path), cue.lengthMs});
}

QSoundEffect *QtSoundOutput::newEffect(const QString &path)
{
    auto *effect = new QSoundEffect(this);
    // A header Qt rejects shows only once the file has loaded.
    connect(effect, &QSoundEffect::statusChanged, this, [this, effect] {
        if (effect == m_current && effect->status() == QSoundEffect::Error) {
            stopCurrent();
            alert();
        }
    });
    effect->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    return effect;
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
        const int lengthMs = playableLengthMs(path);
        if (lengthMs < 0)
            return {};
        it = m_cues.insert(path, {newEffect(path), lengthMs});
    }
    return *it;
}

void QtSoundOutput::stopCurrent()
{
    m_endTimer.stop();
    if (QSoundEffect *effect = std::exchange(m_current, nullptr)) {
        effect->stop();
        effect->deleteLater(); // played once; the cache holds a fresh one
    }
}

} // namespace marvesto
