// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/errors.h"

#include <QCoreApplication>

namespace pelnori {

namespace {

// What failed, in the interface's language, and the file's path on a line of its own.
std::string withPath(const QString &what, const QString &path)
{
    return (what + QStringLiteral("\r\n") + path).toStdString();
}

} // namespace

ImageLoadError::ImageLoadError(const QString &path)
    : FileReadError(withPath(QCoreApplication::translate("FileReadError", "カードの画像ファイルを読み込めません。"), path))
{
}

EffectFileError::EffectFileError(const QString &path)
    : FileReadError(withPath(QCoreApplication::translate("FileReadError", "IFRファイルを読み込めません。"), path))
{
}

} // namespace pelnori
