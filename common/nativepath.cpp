// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/nativepath.h"

#include <QFile>

#include <fcntl.h>

namespace pelnori {

namespace {

// Length of the UTF-8 sequence at i, or 0 when none starts there.
qsizetype utf8Length(const QByteArray &bytes, qsizetype i)
{
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const qsizetype length = lead < 0x80 ? 1 : lead >= 0xc2 && lead < 0xe0 ? 2 : lead >= 0xe0 && lead < 0xf0 ? 3
                                                                             : lead >= 0xf0 && lead < 0xf5 ? 4
                                                                                                           : 0;
    if (length == 0 || i + length > bytes.size())
        return 0;
    for (qsizetype k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(bytes[i + k]) & 0xc0) != 0x80)
            return 0;
    }
    // Whatever else is wrong (an overlong form, a surrogate) the decoder tells.
    const QString decoded = QString::fromUtf8(bytes.mid(i, length));
    return decoded.contains(QChar::ReplacementCharacter) ? 0 : length;
}

} // namespace

bool decodesLosslessly(const QByteArray &native)
{
    return QFile::encodeName(QFile::decodeName(native)) == native;
}

QString usablePath(const QByteArray &native)
{
    if (decodesLosslessly(native))
        return QFile::decodeName(native);
    // O_PATH reads nothing: it only names the file, a folder or a FIFO alike.
    const int handle = ::open(native.constData(), O_PATH | O_CLOEXEC);
    if (handle < 0)
        return {};
    return QStringLiteral("/proc/self/fd/%1").arg(handle);
}

QString shownPath(const QByteArray &native)
{
    QString shown;
    for (qsizetype i = 0; i < native.size();) {
        const qsizetype length = utf8Length(native, i);
        if (length > 0) {
            shown += QString::fromUtf8(native.mid(i, length));
            i += length;
        } else {
            const auto byte = static_cast<unsigned char>(native[i]);
            shown += QStringLiteral("\\x") + QString::number(byte, 16).toUpper().rightJustified(2, u'0');
            ++i;
        }
    }
    return shown;
}

} // namespace pelnori
