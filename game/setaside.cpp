// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/setaside.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace pelnori {

QString setAside(const QString &path)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = path + QStringLiteral(".unreadable-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = path + QStringLiteral(".unreadable-%1-%2").arg(stamp).arg(n);
    return QFile::rename(path, aside) ? aside : QString();
}

} // namespace pelnori
