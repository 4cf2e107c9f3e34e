// SPDX-License-Identifier: GPL-3.0-or-later
#include "translations/language.h"

#include "translations/translations.h"

#include <QDir>
#include <QLocale>
#include <QRegularExpression>

namespace pelnori {

namespace {

// The language part of a name such as "en-GB", "ja_JP.UTF-8" or "sr@latin",
// lower-case; empty for the names of no language.
QString languageOf(const QString &name)
{
    static const QRegularExpression separators(QStringLiteral("[-_.@]"));
    const QString language = name.section(separators, 0, 0).toLower();
    if (language == u"c" || language == u"posix")
        return {};
    return language;
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
// Whether the environment names no language: LANGUAGE unset and the locale
// for messages, as POSIX looks for it, unset, C or POSIX.
bool environmentNamesNoLanguage()
{
    if (!languageOf(qEnvironmentVariable("LANGUAGE").section(u':', 0, 0)).isEmpty())
        return false;
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return languageOf(value).isEmpty();
    }
    return true;
}
#endif

} // namespace

QString chooseLanguage(const QStringList &preferred, const QStringList &shipped)
{
    bool namesOne = false;
    for (const QString &name : preferred) {
        const QString language = languageOf(name);
        if (language.isEmpty())
            continue;
        if (shipped.contains(language))
            return language;
        namesOne = true;
    }
    return namesOne ? kFallbackLanguage : kSourceLanguage;
}

QString chooseLanguage(const QString &chosen, const QStringList &preferred, const QStringList &shipped)
{
    if (!chosen.isEmpty() && shipped.contains(chosen))
        return chosen;
    return chooseLanguage(preferred, shipped);
}

QStringList preferredLanguages()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Some Qt versions answer "en-US" for the C locale, a language the
    // player never asked for.
    if (environmentNamesNoLanguage())
        return {};
#endif
    return QLocale::system().uiLanguages();
}

QStringList shippedLanguages()
{
    QStringList languages{kSourceLanguage};
    const QString prefix = QStringLiteral("pelnori_");
    for (const QString &file : QDir(Translations::kFolder).entryList({prefix + QStringLiteral("*.qm")}, QDir::Files))
        languages << file.mid(prefix.size()).chopped(3);
    return languages;
}

} // namespace pelnori
