// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace pelnori {

// Files the program reads from its own folder.
inline constexpr QStringView kCardBackFile = u"Card.bmp";
inline constexpr QStringView kCardOpenFile = u"Cardopen.bmp";
inline constexpr QStringView kCardMatchedFile = u"Cardsumi.bmp";
inline constexpr QStringView kDefaultEffectFile = u"tremka.ifr";

// The folder as the platform gives it, a separator, then the file name. A
// folder that already ends in a separator (the root) gives two in a row; the
// path is passed on unchanged.
inline QString programFile(const QString &folder, QStringView name)
{
    return folder + u'/' + name.toString();
}

} // namespace pelnori
