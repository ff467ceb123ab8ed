#include "app/qtsoundoutput.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

#include <optional>
#include <utility>

namespace marvesto {

namespace {

// Time allowed beyond a cue's length for loading it and opening the output.
constexpr int kEndMarginMs = 500;

// Cues last about a second, and Qt reads the whole of a cue into memory. 4 MiB
// holds over 20 s of 16-bit stereo at 44.1 kHz; a larger file is turned down
// before any of it is read.
constexpr qint64 kMaxCueBytes = 4 * 1024 * 1024;

// Sample rates a cue may have. Qt's PulseAudio output accepts 1 Hz up to
// PulseAudio's own limit, 192 kHz in older releases and 384 kHz since; Qt
// itself only turns down 0 Hz. From telephone sound (8 kHz) to the fastest
// common sound cards (192 kHz) plays on any of them and covers any real cue.
constexpr quint32 kMinRate = 8000;
constexpr quint32 kMaxRate = 192000;

// The fields of a PCM format chunk that decide how Qt plays the samples.
struct WaveFormat {
    quint16 tag = 0;
    quint16 channels = 0;
    quint32 rate = 0;
    quint32 bytesPerSecond = 0;
    quint16 bytesPerFrame = 0;
    quint16 bits = 0;
};

// Whether Qt plays sound in this format as the file means it. Qt takes the
// channels, rate and sample size and works out the frame size itself, ignoring
// the header's block alignment and byte rate: a frame size that disagrees has
// it hand PulseAudio writes of part frames, which PulseAudio refuses, and the
// game then waits on the stream for ever. Qt also reads 24-bit samples as
// 16-bit ones, playing noise, and takes nothing but plain PCM.
bool isPlayable(const WaveFormat &f)
{
    return f.tag == 1 && (f.channels == 1 || f.channels == 2) && (f.bits == 8 || f.bits == 16)
        && f.rate >= kMinRate && f.rate <= kMaxRate && f.bytesPerFrame == f.channels * f.bits / 8
        && f.bytesPerSecond == f.rate * f.bytesPerFrame;
}

// The length of the sound in a wave file Qt plays faithfully, or -1 for any
// other file. Qt never finishes loading an empty, truncated or garbled file,
// nor one ending in part of a sample frame, and reports no error: the cue stays
// loading, and deleting any effect afterwards waits on that load for ever. So
// only small, complete files in a format consistent with itself pass.
int playableLengthMs(const QString &path)
{
    QFile file(path);
    char riff[12];
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxCueBytes || file.read(riff, 12) != 12
        || QByteArrayView(riff, 4) != "RIFF" || QByteArrayView(riff + 8, 4) != "WAVE")
        return -1;
    std::optional<WaveFormat> format;
    for (;;) {
        char header[8];
        if (file.read(header, 8) != 8)
            return -1;
        const QByteArrayView id(header, 4);
        const auto size = qFromLittleEndian<quint32>(header + 4);
        const qint64 body = file.pos();
        if (id == "fmt ") {
            // Qt reads 16 bytes of the first format chunk whatever its size
            // says, and skips any other: a shorter chunk or a second one is
            // turned down.
            char bytes[16];
            if (format || size < 16 || file.read(bytes, 16) != 16)
                return -1;
            format = WaveFormat{qFromLittleEndian<quint16>(bytes),
                                qFromLittleEndian<quint16>(bytes + 2),
                                qFromLittleEndian<quint32>(bytes + 4),
                                qFromLittleEndian<quint32>(bytes + 8),
                                qFromLittleEndian<quint16>(bytes + 12),
                                qFromLittleEndian<quint16>(bytes + 14)};
            if (!isPlayable(*format))
                return -1;
        } else if (id == "data") {
            if (!format || size == 0 || size % format->bytesPerFrame != 0
                || size > file.size() - body)
                return -1;
            return int(qint64(size) * 1000 / format->bytesPerSecond);
        }
        // Chunks are padded to an even size, but Qt 6.4 skips a chunk without
        // its pad byte, then misreads the rest: it either errs or loads for ever.
        if (size % 2 != 0 || !file.seek(body + size))
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

// Every cue plays without waiting.
void QtSoundOutput::play(const QString &path)
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
    // Qt reports a file it cannot read only once it has tried to load it. Files
    // are checked beforehand, so this catches one changed or gone since.
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
