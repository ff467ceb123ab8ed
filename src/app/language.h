#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

namespace marvesto {

// The language the game speaks to the player. The game is written in Italian;
// a translation is a file translations/marvesto_<language>.qm in the game's
// data folder. Qt's own dialog buttons follow the same language.
class Language {
public:
    // Italian: the texts as the game's code holds them.
    static inline const QString kSource = QStringLiteral("it");

    // The language to speak: Italian when the messages' locale (LC_ALL, else
    // LC_MESSAGES, else LANG) is C or POSIX or unset, as gettext does, whatever
    // LANGUAGE says; otherwise the first of the desktop's UI languages (best
    // first, as QLocale::uiLanguages() lists them: "en-US", "en") that is
    // Italian or has a translation among `translated` ("en"), and Italian when
    // none is. A UI language counts by its language alone: "en-GB" is "en".
    static QString choose(const QString &messagesLocale, const QStringList &uiLanguages,
                          const QStringList &translated);

    // Chooses from the environment and the translations in `folder`, and loads
    // the game's translation and Qt's for that language. Needs a
    // QCoreApplication, as every translation does.
    void load(const QString &folder);
    QString name() const { return m_name; }
    // Installs the game's translation in the running application, and Qt's
    // own unless `gameOnly`.
    void install(bool gameOnly = false);

private:
    QString m_name = kSource;
    QTranslator m_game;
    QTranslator m_qt;
};

} // namespace marvesto
