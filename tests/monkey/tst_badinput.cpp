#include "badinput.h"
#include "fixture.h"

#include "app/playersettings.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QSettings>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace marvesto;
using namespace marvesto::test;

namespace {

const QString kSettingsName = QStringLiteral("Marvesto.conf");
const QByteArray kSoundOff = "[General]\nsound=false\n";

// What each entry of a folder is, links not followed: a file replaced by
// another of the same kind has a new inode.
QStringList entries(const QString &folder)
{
    QStringList found;
    const QDir dir(folder);
    for (const QString &name :
         dir.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)) {
        struct stat info {};
        if (::lstat(QFile::encodeName(dir.filePath(name)).constData(), &info) != 0)
            qFatal("cannot lstat %s", qPrintable(name));
        found << QStringLiteral("%1 mode %2 size %3 inode %4 device %5")
                     .arg(name)
                     .arg(info.st_mode, 0, 8)
                     .arg(info.st_size)
                     .arg(info.st_ino)
                     .arg(info.st_rdev);
    }
    return found;
}

} // namespace

// Every bad answer at both prompts and at the console, under an Italian and an
// English locale; and every kind of file where the settings file should be.
class TestBadInput : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void theRulesHoldForEveryAnswer_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("capitalKept");
        for (const BadInput &in : badInputs()) {
            QTest::addRow("it %s", in.label)
                << QLocale(QLocale::Italian) << in.text << in.italianCommand << in.italianCapital;
            QTest::addRow("en %s", in.label)
                << QLocale(QLocale::English) << in.text << in.englishCommand << in.englishCapital;
        }
    }
    void theRulesHoldForEveryAnswer()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(int, command);
        QFETCH(bool, capitalKept);
        QLocale::setDefault(locale);
        GameFixture f;

        // Both prompts keep the answer exactly as typed; Cancel gives the defaults.
        f.start(text, text);
        const QString capital = text.isEmpty() ? QStringLiteral("10000") : text;
        QCOMPARE(f.consoleWindow().caption(),
                 QStringLiteral("Manager:") + (text.isEmpty() ? QStringLiteral("Player") : text));
        QCOMPARE(f.capital(), capital);
        QCOMPARE(f.consoleText(),
                 QStringLiteral("Il tuo Capitale:") + capital + QStringLiteral(" \u20AC\r\n"));

        // A capital below zero or unreadable ends the game at the first tick; the
        // unscripted boxes answer Ok, Yes and Cancel, so a new game starts with 10000.
        f.advance(1);
        QCOMPARE(f.dialogs.messages.size(), capitalKept ? 0u : 2u);
        QCOMPARE(f.capital(), capitalKept ? capital : QStringLiteral("10000"));

        // The same text pasted at the console, with eight boxes for sale.
        f.market().tickTimer().setEnabled(false);
        f.market().clearLines();
        f.fillMarket(8);
        QStringList market = f.lines(f.marketWindow().boxesList());
        f.consoleWindow().commandLineEdit()->insert(text);
        QCOMPARE(f.consoleWindow().commandLineEdit()->text(), text);
        f.pressEnter();
        QCOMPARE(f.auctionRoom().isLoaded(), command >= 0);
        if (command >= 0) {
            QCOMPARE(f.auctionRoom().logView()->text(), market[command] + QStringLiteral("\r\n"));
            market.removeAt(command);
        }
        QCOMPARE(f.lines(f.marketWindow().boxesList()), market);
        QCOMPARE(f.consoleWindow().commandLineEdit()->text(),
                 command == BadInput::KeptAsTyped ? text : QString());

        // The game goes on.
        f.market().tickTimer().setEnabled(true);
        f.advance(1000);
        QCOMPARE(f.marketWindow().boxesList()->count(), market.size() + 1);
        QCOMPARE(f.session.endings, 0);
    }

    // The game starts with the sound on and says why in one line; toggling
    // "Suoni" changes nothing on disk, not even through a link.
    void aSettingsFileNoSmallRegularFileIsLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind :
             {"named pipe", "folder", "1 MiB file", "link to a device", "unreadable file"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void aSettingsFileNoSmallRegularFileIsLeftAlone()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(kSettingsName);
        const QByteArray name = QFile::encodeName(path);
        QFile file(path);
        if (kind == u"named pipe") {
            QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        } else if (kind == u"folder") {
            QVERIFY(QDir(dir.path()).mkdir(kSettingsName));
        } else if (kind == u"link to a device") {
            // A node of its own, as /dev/null is, so that nothing of the system is at stake.
            const QByteArray device = QFile::encodeName(dir.filePath(QStringLiteral("null")));
            if (::mknod(device.constData(), S_IFCHR | 0600, makedev(1, 3)) != 0)
                QSKIP("Not allowed to make a device node");
            QVERIFY(QFile::link(QStringLiteral("null"), path));
        } else {
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kSoundOff) == kSoundOff.size());
            if (kind == u"1 MiB file")
                QVERIFY(file.resize(1024 * 1024));
            file.close();
            if (kind == u"unreadable file") {
                QVERIFY(file.setPermissions({}));
                if (file.open(QIODevice::ReadOnly))
                    QSKIP("Running with rights that read any file");
            }
        }
        const QStringList before = entries(dir.path());

        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^marvesto: settings file .*")
                                                + QRegularExpression::escape(path)
                                                + QStringLiteral(" left alone")));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        QAction sound;
        sound.setCheckable(true);
        sound.setChecked(false);
        {
            const PlayerSettings setting(path, &sound);
            QVERIFY(sound.isChecked());
            sound.toggle();
            sound.toggle();
        }
        QCOMPARE(entries(dir.path()), before);
    }

    // A link to a regular file, as a dotfile manager makes, is read and written
    // through and stays a link; a link to nothing yet makes the file it names.
    void aLinkToARegularSettingsFileIsFollowed()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        QTemporaryDir dir;
        const QString link = dir.filePath(kSettingsName);
        const QString target = dir.filePath(QStringLiteral("dotfiles/") + kSettingsName);
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dotfiles")));
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(kSoundOff) == kSoundOff.size());
        file.close();
        QVERIFY(QFile::link(target, link));
        QAction sound;
        sound.setCheckable(true);
        {
            const PlayerSettings setting(link, &sound);
            QVERIFY(!sound.isChecked());
            sound.toggle();
        }
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(QSettings(target, QSettings::IniFormat).value(QStringLiteral("sound")), true);

        QVERIFY(QFile::remove(target));
        {
            const PlayerSettings setting(link, &sound);
            QVERIFY(sound.isChecked());
            sound.toggle();
        }
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(QFileInfo(target).isFile());
        QCOMPARE(QSettings(target, QSettings::IniFormat).value(QStringLiteral("sound")), false);
    }

    // The speed chosen is the one the next run starts with.
    void theSpeedIsRemembered()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(kSettingsName);
        QAction sound;
        QActionGroup speeds(nullptr);
        for (int factor : {1, 2, 3}) {
            QAction *choice = speeds.addAction(QString::number(factor));
            choice->setCheckable(true);
            choice->setData(factor);
        }
        speeds.actions().at(0)->setChecked(true);
        {
            const PlayerSettings settings(path, &sound, &speeds);
            QVERIFY(speeds.actions().at(0)->isChecked()); // nothing said yet
            speeds.actions().at(1)->setChecked(true);
        }
        speeds.actions().at(0)->setChecked(true);
        const PlayerSettings settings(path, &sound, &speeds);
        QVERIFY(speeds.actions().at(1)->isChecked());
    }
};

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
