// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1String>
#include <QString>
#include <QTest>

namespace pelnori::test {

// The language a table row runs in: English for a row named "English: …",
// otherwise Japanese, the texts as written. Install it with Translations.
inline QString rowLanguage()
{
    const char *tag = QTest::currentDataTag();
    return QLatin1String(tag ? tag : "").startsWith(QLatin1String("English:")) ? QStringLiteral("en")
                                                                               : QStringLiteral("ja");
}

} // namespace pelnori::test
