#include "app/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>

namespace marvesto {

namespace {

const QString kPrefix = QStringLiteral("marvesto_");
const QString kSuffix = QStringLiteral(".qm");

bool isCLocale(const QString &locale)
{
    return locale.isEmpty() || locale == u'C' || locale.startsWith(QStringLiteral("C."))
        || locale == QStringLiteral("POSIX");
}

} // namespace

QString Language::choose(const QString &messagesLocale, const QStringList &uiLanguages,
                         const QStringList &translated)
{
    if (isCLocale(messagesLocale))
        return kSource;
    for (const QString &ui : uiLanguages) {
        const QString language = ui.section(u'-', 0, 0).section(u'_', 0, 0).toLower();
        if (language == kSource || translated.contains(language))
            return language;
    }
    return kSource;
}

void Language::load(const QString &folder)
{
    QStringList translated;
    const QStringList files =
        QDir(folder).entryList({kPrefix + u'*' + kSuffix}, QDir::Files | QDir::Readable);
    for (const QString &file : files)
        translated.append(file.mid(kPrefix.size(), file.size() - kPrefix.size() - kSuffix.size()));

    QString messages = qEnvironmentVariable("LC_ALL");
    if (messages.isEmpty())
        messages = qEnvironmentVariable("LC_MESSAGES");
    if (messages.isEmpty())
        messages = qEnvironmentVariable("LANG");
    m_name = choose(messages, QLocale::system().uiLanguages(), translated);

    if (m_name != kSource && !m_game.load(kPrefix + m_name, folder))
        m_name = kSource;
    // Qt's buttons: "OK"/"Annulla" and "Sì"/"No" in Italian, as ever.
    (void)m_qt.load(QStringLiteral("qtbase_") + m_name,
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void Language::install(bool gameOnly)
{
    if (!m_game.isEmpty())
        QCoreApplication::installTranslator(&m_game);
    if (!gameOnly && !m_qt.isEmpty())
        QCoreApplication::installTranslator(&m_qt);
}

} // namespace marvesto
