// Runs without an audio server (ctest points PULSE_SERVER at no socket): Qt
// then loads cues as usual but has no device, and reports a started cue
// playing until it is stopped.
#include "sound/qtsoundoutput.h"

#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <algorithm>

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

// A 44.1 kHz wave file holding the sample data, with the byte rate of a mono
// one whatever the channel count; formatExtra follows the basic fields of the
// format chunk.
QByteArray waveFile(quint16 formatTag, quint16 bits, const QByteArray &data,
                    quint16 channels = 1, const QByteArray &formatExtra = {})
{
    const quint16 frameBytes = bits / 8;
    const QByteArray format = le16(formatTag) + le16(channels) + le32(kRate)
        + le32(kRate * frameBytes) + le16(frameBytes) + le16(bits) + formatExtra;
    return "RIFF" + le32(quint32(4 + 8 + format.size() + 8 + data.size())) + "WAVE" + "fmt "
        + le32(quint32(format.size())) + format + "data" + le32(quint32(data.size())) + data;
}

QByteArray silence(int ms, int bytesPerSample = 2)
{
    return QByteArray(qsizetype(kRate) * ms / 1000 * bytesPerSample, '\0');
}

QByteArray pcm16(int ms) { return waveFile(1, 16, silence(ms)); }

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

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

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
        output.play(path, 1);
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
        output.play(path, 1);
        QCOMPARE(output.alerts, 1);
    }

    void anUnplayableFileSoundsTheAlert_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = pcm16(300);
        // KSDATAFORMAT_SUBTYPE_PCM after the extension's size, bits and channel mask.
        const QByteArray extensible = le16(22) + le16(16) + le32(4)
            + QByteArray::fromHex("0100000000001000800000aa00389b71");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not a wave file") << QByteArray("Not a sound at all.\n").repeated(200);
        QTest::newRow("garbled header")
            << QByteArray("RIFF" + le32(4000) + "WAVEfmt " + QByteArray(400, '\xa5'));
        QTest::newRow("truncated") << good.left(1000);
        QTest::newRow("half a sample at the end") << waveFile(1, 16, silence(300) + '\0');
        QTest::newRow("no sound data") << pcm16(0);
        QTest::newRow("24-bit") << waveFile(1, 24, silence(300, 3)); // Qt would play noise
        QTest::newRow("float") << waveFile(3, 32, silence(300, 4));
        QTest::newRow("extensible") << waveFile(0xfffe, 16, silence(300), 1, extensible);
        // Qt turns this one down only once it has loaded it.
        QTest::newRow("no channels") << waveFile(1, 16, silence(300), 0);
    }

    void anUnplayableFileSoundsTheAlert()
    {
        QFETCH(QByteArray, bytes);
        const QString path =
            write(QStringLiteral("bad-%1.wav").arg(QTest::currentDataTag()).replace(u' ', u'-'),
                  bytes);
        CountingOutput output;
        output.play(path, 1);
        QTRY_COMPARE(output.alerts, 1);
        // Let a late error arrive too: the alert sounds once per play.
        QTRY_VERIFY(!anyLoading(output));
        QCOMPARE(output.alerts, 1);
        QVERIFY(!anyPlaying(output));

        // Known bad, it falls back at once from now on.
        output.play(path, 1);
        QCOMPARE(output.alerts, 2);
        QVERIFY(!anyPlaying(output));
    }

    void aCuePlaysOnceLoadedAndStopsAfterItsLength()
    {
        const QString path = write(QStringLiteral("first-load.wav"), pcm16(1000));
        CountingOutput output;
        output.play(path, 1);
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
        output.play(path, 1);
        QVERIFY(isPlaying(output, path));
        QCOMPARE(output.alerts, 0);
        QTRY_VERIFY(effects(output).size() <= 2); // the one playing and the next one
    }

    void aNewCueCutsOffThePlayingOne()
    {
        const QString a = write(QStringLiteral("a.wav"), pcm16(2000));
        const QString b = write(QStringLiteral("b.wav"), pcm16(2000));
        CountingOutput output;
        output.play(a, 1);
        output.play(b, 1);
        QVERIFY(!isPlaying(output, a));
        QVERIFY(isPlaying(output, b));
        // Loading finishes: the cut-off cue stays silent.
        QTRY_COMPARE(effectOf(output, b)->status(), QSoundEffect::Ready);
        QTest::qWait(100);
        QVERIFY(!isPlaying(output, a));
        QVERIFY(isPlaying(output, b));

        // The same cue again plays from the start; a loaded one cuts off as well.
        output.play(b, 1);
        QVERIFY(isPlaying(output, b));
        output.play(a, 1);
        QVERIFY(isPlaying(output, a));
        QVERIFY(!isPlaying(output, b));
        // A missing file's alert cuts it off too.
        output.play(m_dir.filePath(QStringLiteral("absent.wav")), 1);
        QVERIFY(!anyPlaying(output));
        QCOMPARE(output.alerts, 1);
    }

    void theLateErrorOfACutOffCueStaysSilent()
    {
        const QString bad =
            write(QStringLiteral("cut-no-channels.wav"), waveFile(1, 16, silence(300), 0));
        const QString good = write(QStringLiteral("after-no-channels.wav"), pcm16(2000));
        CountingOutput output;
        output.play(bad, 1);
        output.play(good, 1);
        QTRY_COMPARE(effectOf(output, bad)->status(), QSoundEffect::Error);
        QCOMPARE(output.alerts, 0);
        QVERIFY(isPlaying(output, good));
    }

    void destroyingTheOutputMidCueIsSafe()
    {
        const QString path = write(QStringLiteral("dropped.wav"), pcm16(500));
        {
            CountingOutput output;
            output.play(path, 1);
        }
        {
            CountingOutput output;
            output.play(path, 1);
            QTRY_COMPARE(effectOf(output, path)->status(), QSoundEffect::Ready);
        }
        QTest::qWait(50); // deliveries still queued for the gone effects
    }
};

QTEST_MAIN(TestSoundOutput)
#include "tst_soundoutput.moc"
