// The game speaks the desktop's language where it has a translation (Russian, German) and the
// texts as written everywhere else.
#pragma once

#include <QString>
#include <QStringList>

namespace qv {

// The language of the game's texts, "ru", "de" or empty for the texts as written, for the
// locale that governs messages (LC_ALL, else LC_MESSAGES, else LANG) and the languages the
// desktop prefers in order (QLocale::system().uiLanguages(), which follows LANGUAGE). As gettext
// does, the preference list counts for nothing under the plain C or POSIX locale; the first
// preferred language the game has texts for wins, English included.
QString ChooseLanguage(const QString& messagesLocale, const QStringList& uiLanguages);

// Chooses the language from the environment and installs the game's translation and Qt's own
// (for the standard buttons) where they exist. Returns the chosen language.
QString LoadTranslations();

}  // namespace qv
