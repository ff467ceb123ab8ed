#include "app/playersettings.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace marvesto {

namespace {
const QString kSoundKey = QStringLiteral("sound");
const QString kSpeedKey = QStringLiteral("speed");
} // namespace

QString PlayerSettings::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/'
        + QCoreApplication::organizationName() + u'/' + QCoreApplication::applicationName()
        + QStringLiteral(".conf");
}

QString PlayerSettings::problemWith(const QString &path)
{
    // stat() follows links and opens nothing, so a FIFO cannot block it.
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        // Not there yet (or a link to nothing yet): Qt makes a new regular file.
        if (errno == ENOENT)
            return {};
        return QString::fromLocal8Bit(std::strerror(errno));
    }
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("it is a folder");
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return QStringLiteral("it is a device");
    if (S_ISFIFO(info.st_mode))
        return QStringLiteral("it is a named pipe");
    if (S_ISSOCK(info.st_mode))
        return QStringLiteral("it is a socket");
    if (!S_ISREG(info.st_mode))
        return QStringLiteral("it is not a regular file");
    if (info.st_size > kMaxFileBytes)
        return QStringLiteral("it is larger than %1 KiB").arg(kMaxFileBytes / 1024);
    if (::access(name.constData(), R_OK) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    return {};
}

PlayerSettings::PlayerSettings(const QString &path, QAction *sound, QActionGroup *speeds)
{
    if (const QString problem = problemWith(path); !problem.isEmpty()) {
        qWarning("marvesto: settings file %s left alone (%s); the sound starts on and is not "
                 "remembered",
                 qPrintable(path), qPrintable(problem));
        sound->setChecked(true);
        return;
    }
    m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    sound->setChecked(m_settings->value(kSoundKey, true).toBool());
    QObject::connect(sound, &QAction::toggled, m_settings.get(),
                     [this](bool on) { m_settings->setValue(kSoundKey, on); });
    if (!speeds)
        return;
    const QVariant speed = m_settings->value(kSpeedKey);
    for (QAction *choice : speeds->actions()) {
        if (speed.isValid() && choice->data() == speed)
            choice->setChecked(true);
        QObject::connect(choice, &QAction::toggled, m_settings.get(), [this, choice](bool chosen) {
            if (chosen)
                m_settings->setValue(kSpeedKey, choice->data());
        });
    }
}

PlayerSettings::~PlayerSettings() = default;

} // namespace marvesto
