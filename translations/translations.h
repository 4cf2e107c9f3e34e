// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTranslator>

namespace pelnori {

// The program's texts and Qt's own (the Open dialog, the buttons of message
// boxes) in one language, for as long as this object lives. Needs the
// application object. Japanese leaves the program's texts as written.
class Translations
{
public:
    // Where the program's translations are built in, one pelnori_LANG.qm each.
    static inline const QString kFolder = QStringLiteral(":/i18n");

    explicit Translations(const QString &language);
    ~Translations();

    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

private:
    QTranslator m_program;
    QTranslator m_qt;
};

} // namespace pelnori
