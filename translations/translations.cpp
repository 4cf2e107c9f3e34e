// SPDX-License-Identifier: GPL-3.0-or-later
#include "translations/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace pelnori {

Translations::Translations(const QString &language)
{
    // A language without a file leaves those texts as they are: Japanese for
    // the program's, English for Qt's.
    if (m_program.load(QStringLiteral("pelnori_") + language, kFolder))
        QCoreApplication::installTranslator(&m_program);
    if (m_qt.load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qt);
}

Translations::~Translations()
{
    QCoreApplication::removeTranslator(&m_qt);
    QCoreApplication::removeTranslator(&m_program);
}

} // namespace pelnori
