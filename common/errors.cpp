// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.h"

namespace pelnori {

ImageLoadError::ImageLoadError(const QString &path)
    : FileReadError(QStringLiteral("カードの画像ファイルを読み込めません。\r\n%1").arg(path).toStdString())
{
}

EffectFileError::EffectFileError(const QString &path)
    : FileReadError(QStringLiteral("IFRファイルを読み込めません。\r\n%1").arg(path).toStdString())
{
}

} // namespace pelnori
