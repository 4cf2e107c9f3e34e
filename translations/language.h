// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace pelnori {

// The language the program's texts are written in, and the one for players
// whose languages are none of those shipped.
inline constexpr QLatin1String kSourceLanguage("ja");
inline constexpr QLatin1String kFallbackLanguage("en");

// The language to speak to a player who prefers `preferred` (most wanted
// first; "ja-JP", "ja_JP.UTF-8" and "ja" all name Japanese) among `shipped`:
// the first shipped one in the list; Japanese when the list names no language
// at all (empty, "C", "POSIX"); English when it names only others. Pure.
QString chooseLanguage(const QStringList &preferred, const QStringList &shipped);

// The language the player chose in the settings ("ja", "en") when it is
// shipped, else the one chooseLanguage() finds; empty `chosen` means "as
// the desktop says".
QString chooseLanguage(const QString &chosen, const QStringList &preferred, const QStringList &shipped);

// The player's languages, most wanted first, as the desktop gives them
// (LANGUAGE, LC_ALL, LC_MESSAGES, LANG on Linux); empty under C or POSIX.
QStringList preferredLanguages();

// Japanese and every language the program has a translation for.
QStringList shippedLanguages();

} // namespace pelnori
