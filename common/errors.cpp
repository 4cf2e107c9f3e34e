// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.h"

namespace pelnori {

ImageLoadError::ImageLoadError(const QString &path)
    : std::runtime_error(QStringLiteral("画像ファイルを読み込めません: %1").arg(path).toStdString())
{
}

} // namespace pelnori
