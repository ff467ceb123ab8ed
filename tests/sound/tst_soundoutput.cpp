// Runs without an audio server (ctest points PULSE_SERVER at no socket): Qt
// then loads cues as usual but has no device, and reports a started cue
// playing until it is stopped.
#include "app/loadedsound.h"
#include "app/qtsoundoutput.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QRegularExpression>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cstddef>
#include <link.h>

using namespace marvesto;

namespace {

class CountingOutput : public QtSoundOutput {
public:
    int alerts = 0;

protected:
    void alert() override { ++alerts; }
};

QByteArray le16(quint16 v)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(v, bytes.data());
    return bytes;
}

QByteArray le32(quint32 v)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(v, bytes.data());
    return bytes;
}

constexpr quint32 kRate = 44100;
// The largest cue file played.
constexpr qint64 kMaxCueBytes = 4 * 1024 * 1024;

// The fields of a wave file's format chunk. A frame size or byte rate left at
// 0 is written as the one that agrees with the fields before it.
struct Format {
    quint16 tag = 1;
    quint16 channels = 1;
    quint32 rate = kRate;
    quint16 bits = 16;
    quint16 bytesPerFrame = 0;
    quint32 bytesPerSecond = 0;
    QByteArray extra = {}; // after the basic fields
};

// A chunk, with its pad byte when its size is odd.
QByteArray chunk(const char *id, const QByteArray &body)
{
    return id + le32(quint32(body.size())) + body + QByteArray(body.size() % 2, '\0');
}

QByteArray formatChunk(const Format &f)
{
    const quint16 frame = f.bytesPerFrame ? f.bytesPerFrame : quint16(f.channels * f.bits / 8);
    const quint32 byteRate = f.bytesPerSecond ? f.bytesPerSecond : f.rate * frame;
    return chunk("fmt ",
                 le16(f.tag) + le16(f.channels) + le32(f.rate) + le32(byteRate) + le16(frame)
                     + le16(f.bits) + f.extra);
}

// A wave file made of the chunks.
QByteArray riff(const QByteArray &chunks)
{
    return "RIFF" + le32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

QByteArray waveFile(const Format &format, const QByteArray &data)
{
    return riff(formatChunk(format) + chunk("data", data));
}

// The start of a 16-bit mono file of fileSize bytes, sound all the rest.
QByteArray waveStart(quint32 fileSize)
{
    const QByteArray format = formatChunk({});
    return "RIFF" + le32(fileSize - 8) + "WAVE" + format + "data"
        + le32(quint32(fileSize - 12 - format.size() - 8));
}

QByteArray silence(int ms, int bytesPerFrame = 2)
{
    return QByteArray(qsizetype(kRate) * ms / 1000 * bytesPerFrame, '\0');
}

QByteArray pcm16(int ms)
{
    return waveFile({}, silence(ms));
}

// A test table of files: their bytes, and a size to write zeros up to.
void addFileColumns()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("size");
}

void row(const char *tag, const QByteArray &bytes, qint64 size = 0)
{
    QTest::newRow(tag) << bytes << size;
}

QList<QSoundEffect *> effects(const QtSoundOutput &output)
{
    return output.findChildren<QSoundEffect *>();
}

// The effect playing the file, or else one loaded for it.
QSoundEffect *effectOf(const QtSoundOutput &output, const QString &path)
{
    QSoundEffect *found = nullptr;
    for (QSoundEffect *effect : effects(output)) {
        if (effect->source() != QUrl::fromLocalFile(path))
            continue;
        if (effect->isPlaying())
            return effect;
        found = effect;
    }
    return found;
}

bool isPlaying(const QtSoundOutput &output, const QString &path)
{
    const QSoundEffect *effect = effectOf(output, path);
    return effect && effect->isPlaying();
}

bool anyPlaying(const QtSoundOutput &output)
{
    const auto all = effects(output);
    return std::any_of(all.begin(), all.end(), [](auto *e) { return e->isPlaying(); });
}

bool anyLoading(const QtSoundOutput &output)
{
    const auto all = effects(output);
    return std::any_of(all.begin(), all.end(),
                       [](auto *e) { return e->status() == QSoundEffect::Loading; });
}

} // namespace

class TestSoundOutput : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // Writes the bytes, then zeros up to size when it is larger, which takes
    // no time: the file system leaves the hole unwritten.
    QString write(const QString &name, const QByteArray &bytes, qint64 size = 0)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()
            || (size > bytes.size() && !file.resize(size)))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    // A file for the current row of a data-driven test.
    QString writeRow(const QString &prefix, const QByteArray &bytes, qint64 size)
    {
        return write(
            QStringLiteral("%1-%2.wav").arg(prefix, QTest::currentDataTag()).replace(u' ', u'-'),
            bytes, size);
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // The program's sound output comes from the module, loaded by the first
    // cue if nothing loaded it before; without the module cues still play
    // (the alert) rather than fail.
    void theModuleIsLoadedByTheFirstCue()
    {
        const QString cue = write(QStringLiteral("module-cue.wav"), pcm16(300));
        LoadedSoundOutput output(
            {m_dir.filePath(QStringLiteral("nowhere")), QStringLiteral(MARVESTO_SOUND_MODULE_DIR)});
        QVERIFY(!output.isLoaded());
        output.play(cue);
        QVERIFY(output.isLoaded());
        QVERIFY(
            QLibrary(QStringLiteral(MARVESTO_SOUND_MODULE_DIR "/marvesto-sound.so")).isLoaded());

        LoadedSoundOutput missing({m_dir.filePath(QStringLiteral("nowhere"))});
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("no usable sound module")));
        missing.play(cue);
        QVERIFY(missing.isLoaded());
    }

    // A module the file does not hold whole is never mapped: touching a page
    // past its end would kill the program (SIGBUS). Cues sound the alert.
    void aDamagedModuleSoundsTheAlert_data()
    {
        QFile module(QStringLiteral(MARVESTO_SOUND_MODULE_DIR "/marvesto-sound.so"));
        QVERIFY(module.open(QIODevice::ReadOnly));
        const QByteArray whole = module.readAll();
        QVERIFY(whole.size() > 8192);
        // As sstrip leaves it: no section header table to be found past the end.
        QByteArray noSections = whole;
        const ElfW(Off) none = 0;
        noSections.replace(offsetof(ElfW(Ehdr), e_shoff), sizeof none,
                           reinterpret_cast<const char *>(&none), sizeof none);
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("cut to 4 KiB") << whole.left(4096);
        QTest::newRow("cut to 4 KiB, no section table") << noSections.left(4096);
        QTest::newRow("its last byte cut") << whole.chopped(1);
    }

    void aDamagedModuleSoundsTheAlert()
    {
        QFETCH(QByteArray, bytes);
        const QString folder = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(folder));
        const QString path = QDir(folder).filePath(QStringLiteral("marvesto-sound.so"));
        QFile module(path);
        QVERIFY(module.open(QIODevice::WriteOnly) && module.write(bytes) == bytes.size());
        module.close();
        LoadedSoundOutput output({folder});
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("no usable sound module")));
        output.play(write(QStringLiteral("damaged-module-cue.wav"), pcm16(300)));
        QVERIFY(output.isLoaded());
        QVERIFY(!QLibrary(path).isLoaded());
    }

    void aMissingFileSoundsTheAlert_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("no such file") << m_dir.filePath(QStringLiteral("absent.wav"));
        QTest::newRow("no such folder") << m_dir.filePath(QStringLiteral("Sound/5.wav"));
        QTest::newRow("a folder") << m_dir.path();
        QTest::newRow("empty path") << QString();
    }

    void aMissingFileSoundsTheAlert()
    {
        QFETCH(QString, path);
        CountingOutput output;
        output.play(path);
        QCOMPARE(output.alerts, 1);
        QVERIFY(effects(output).isEmpty());
    }

    void anUnreadableFileSoundsTheAlert()
    {
        const QString path = write(QStringLiteral("locked.wav"), pcm16(300));
        QFile::setPermissions(path, {});
        if (QFile(path).open(QIODevice::ReadOnly))
            QSKIP("Running with rights that read any file");
        CountingOutput output;
        output.play(path);
        QCOMPARE(output.alerts, 1);
    }

    void anUnplayableFileSoundsTheAlert_data()
    {
        addFileColumns();
        const QByteArray good = pcm16(300);
        // KSDATAFORMAT_SUBTYPE_PCM after the extension's size, bits and channel mask.
        const QByteArray extensible =
            le16(22) + le16(16) + le32(4) + QByteArray::fromHex("0100000000001000800000aa00389b71");
        row("empty", {});
        row("not a wave file", QByteArray("Not a sound at all.\n").repeated(200));
        row("garbled header", "RIFF" + le32(4000) + "WAVEfmt " + QByteArray(400, '\xa5'));
        row("truncated", good.left(1000));
        row("half a sample at the end", waveFile({}, silence(300) + '\0'));
        row("no sound data", pcm16(0));
        row("24-bit", waveFile({.bits = 24}, silence(300, 3))); // Qt would play noise
        row("float", waveFile({.tag = 3, .bits = 32}, silence(300, 4)));
        row("extensible", waveFile({.tag = 0xfffe, .extra = extensible}, silence(300)));
        row("no channels", waveFile({.channels = 0}, silence(300)));
        row("3 channels", waveFile({.channels = 3}, silence(300, 6)));
        // Frames smaller than the channels' samples, and a byte rate to match:
        // Qt plays these by the channels, and through PulseAudio hangs on the
        // part frame at the end.
        row("16-bit stereo in 2-byte frames",
            waveFile({.channels = 2, .bytesPerFrame = 2}, QByteArray(6, '\0')));
        row("8-bit stereo in 1-byte frames",
            waveFile({.channels = 2, .bits = 8, .bytesPerFrame = 1}, QByteArray(5, '\x80')));
        row("byte rate not the rate's frames", waveFile({.bytesPerSecond = kRate}, silence(300)));
        row("0 Hz", waveFile({.rate = 0}, silence(300)));
        row("4 kHz", waveFile({.rate = 4000}, QByteArray(2400, '\0')));
        row("1 MHz", waveFile({.rate = 1'000'000}, silence(300)));
        row("format chunk too short",
            riff(chunk("fmt ", formatChunk({}).mid(8, 14)) + chunk("data", silence(300))));
        row("two format chunks",
            riff(formatChunk({}) + formatChunk({.channels = 2}) + chunk("data", silence(300))));
        row("too large", waveStart(kMaxCueBytes + 2), kMaxCueBytes + 2);
        // Qt 6.4 skips it without its pad byte, and errs or loads for ever.
        row("odd-sized chunk before the sound",
            riff(formatChunk({}) + chunk("LIST", "odd") + chunk("data", silence(300))));
    }

    void anUnplayableFileSoundsTheAlert()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, size);
        const QString path = writeRow(QStringLiteral("bad"), bytes, size);
        CountingOutput output;
        output.play(path);
        QTRY_COMPARE(output.alerts, 1);
        // Let a late error arrive too: the alert sounds once per play.
        QTRY_VERIFY(!anyLoading(output));
        QCOMPARE(output.alerts, 1);
        QVERIFY(!anyPlaying(output));

        // Known bad, it falls back at once from now on.
        output.play(path);
        QCOMPARE(output.alerts, 2);
        QVERIFY(!anyPlaying(output));
    }

    void aPlayableFileLoadsAndPlays_data()
    {
        addFileColumns();
        row("16-bit stereo", waveFile({.channels = 2}, silence(300, 4)));
        row("8-bit stereo", waveFile({.channels = 2, .bits = 8}, QByteArray(26460, '\x80')));
        row("8 kHz", waveFile({.rate = 8000}, QByteArray(4800, '\0')));
        row("192 kHz", waveFile({.rate = 192000}, QByteArray(115200, '\0')));
        row("format chunk with an extension", waveFile({.extra = le16(0)}, silence(300)));
        row("other chunks",
            riff(chunk("LIST", "info") + formatChunk({}) + chunk("fact", le32(13230))
                 + chunk("data", silence(300)) + chunk("LIST", "odd")));
        row("largest", waveStart(kMaxCueBytes), kMaxCueBytes);
    }

    void aPlayableFileLoadsAndPlays()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, size);
        const QString path = writeRow(QStringLiteral("good"), bytes, size);
        CountingOutput output;
        output.play(path);
        QCOMPARE(output.alerts, 0);
        QSoundEffect *effect = effectOf(output, path);
        QVERIFY(effect);
        QTRY_COMPARE(effect->status(), QSoundEffect::Ready);
        QVERIFY(effect->isPlaying());
        QCOMPARE(output.alerts, 0);
    }

    void aCuePlaysOnceLoadedAndStopsAfterItsLength()
    {
        const QString path = write(QStringLiteral("first-load.wav"), pcm16(1000));
        CountingOutput output;
        output.play(path);
        // play() returned before the file was even loaded.
        QSoundEffect *effect = effectOf(output, path);
        QVERIFY(effect);
        QCOMPARE(effect->status(), QSoundEffect::Loading);
        QVERIFY(effect->isPlaying());

        QTRY_COMPARE(effect->status(), QSoundEffect::Ready);
        QVERIFY(effect->isPlaying());
        // Its end is reckoned from the file's length, so it is not cut short;
        // and without a device Qt never ends it by itself.
        QTest::qWait(300);
        QVERIFY(isPlaying(output, path));
        QTRY_VERIFY_WITH_TIMEOUT(!anyPlaying(output), 5000);

        // Heard before, it starts again straight away, from an effect of its own.
        output.play(path);
        QVERIFY(isPlaying(output, path));
        QCOMPARE(output.alerts, 0);
        QTRY_VERIFY(effects(output).size() <= 2); // the one playing and the next one
    }

    void aNewCueCutsOffThePlayingOne()
    {
        const QString a = write(QStringLiteral("a.wav"), pcm16(2000));
        const QString b = write(QStringLiteral("b.wav"), pcm16(2000));
        CountingOutput output;
        output.play(a);
        output.play(b);
        QVERIFY(!isPlaying(output, a));
        QVERIFY(isPlaying(output, b));
        // Loading finishes: the cut-off cue stays silent.
        QTRY_COMPARE(effectOf(output, b)->status(), QSoundEffect::Ready);
        QTest::qWait(100);
        QVERIFY(!isPlaying(output, a));
        QVERIFY(isPlaying(output, b));

        // The same cue again plays from the start; a loaded one cuts off as well.
        output.play(b);
        QVERIFY(isPlaying(output, b));
        output.play(a);
        QVERIFY(isPlaying(output, a));
        QVERIFY(!isPlaying(output, b));
        // A missing file's alert cuts it off too.
        output.play(m_dir.filePath(QStringLiteral("absent.wav")));
        QVERIFY(!anyPlaying(output));
        QCOMPARE(output.alerts, 1);
    }

    void destroyingTheOutputMidCueIsSafe()
    {
        const QString path = write(QStringLiteral("dropped.wav"), pcm16(500));
        {
            CountingOutput output;
            output.play(path);
        }
        {
            CountingOutput output;
            output.play(path);
            QTRY_COMPARE(effectOf(output, path)->status(), QSoundEffect::Ready);
        }
        QTest::qWait(50); // deliveries still queued for the gone effects
    }
};

QTEST_MAIN(TestSoundOutput)
#include "tst_soundoutput.moc"
