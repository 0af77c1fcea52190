#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qv {

namespace {

QString MessagesLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return value;
    }
    return QString();
}

// Installs one translation file; a missing one leaves the texts as they were.
void Install(const QString& file, const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(file, folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

}  // namespace

QString ChooseLanguage(const QString& messagesLocale, const QStringList& uiLanguages) {
    // Nothing set at all is the C locale too. "C.UTF-8" is not plain C: gettext honours
    // LANGUAGE there.
    if (messagesLocale.isEmpty() || messagesLocale == QLatin1String("C") ||
        messagesLocale == QLatin1String("POSIX"))
        return QString();
    for (const QString& tag : uiLanguages) {
        switch (QLocale(tag).language()) {
            case QLocale::Russian:
                return QStringLiteral("ru");
            case QLocale::German:
                return QStringLiteral("de");
            case QLocale::English:
            case QLocale::C:
                return QString();
            default:
                break;
        }
    }
    return QString();
}

QString LoadTranslations() {
    const QString language = ChooseLanguage(MessagesLocale(), QLocale::system().uiLanguages());
    if (language.isEmpty())
        return language;
    // Qt's own texts from Debian's qt6-translations-l10n, where it is installed.
    Install(QStringLiteral("qtbase_") + language,
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    Install(QStringLiteral("quilvaro_") + language, QStringLiteral(":/i18n"));
    return language;
}

}  // namespace qv
