// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/errorreport.h"

#include "common/errors.h"
#include "common/hapticinterface.h"

namespace pelnori {

QString errorReport(const char *handler, const std::exception &error)
{
    if (dynamic_cast<const FileReadError *>(&error))
        return QString::fromUtf8(error.what());
    if (dynamic_cast<const HapticError *>(&error))
        return QStringLiteral("フォースフィードバック機器を使用できません。\r\n使用環境をもう一度お確かめください。");
    return QStringLiteral("%1 でエラーが発生しました。\r\n%2").arg(QString::fromLatin1(handler), QString::fromUtf8(error.what()));
}

} // namespace pelnori
