// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/errorreport.h"

#include "common/errors.h"
#include "common/hapticinterface.h"

#include <QCoreApplication>

namespace pelnori {

QString errorReport(const char *handler, const std::exception &error)
{
    if (dynamic_cast<const FileReadError *>(&error))
        return QString::fromUtf8(error.what());
    if (dynamic_cast<const HapticError *>(&error))
        return QCoreApplication::translate("ErrorReport", "フォースフィードバック機器を使用できません。")
               + QStringLiteral("\r\n") + QCoreApplication::translate("ErrorReport", "使用環境をもう一度お確かめください。");
    return QCoreApplication::translate("ErrorReport", "%1 でエラーが発生しました。").arg(QString::fromLatin1(handler))
           + QStringLiteral("\r\n") + QString::fromUtf8(error.what());
}

} // namespace pelnori
