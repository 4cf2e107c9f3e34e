// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/refusalmessage.h"

#include <QCoreApplication>

namespace pelnori {

namespace {

// The texts' translation context.
struct EffectFileRefusal
{
    Q_DECLARE_TR_FUNCTIONS(EffectFileRefusal)
};

// Where in the file, then what is wrong there.
QString atPlace(const OpenFailure &failure, const QString &what)
{
    if (failure.line <= 0)
        return what;
    return EffectFileRefusal::tr("%1行%2列目: %3")
        .arg(QString::number(failure.line), QString::number(failure.column), what);
}

// Why the file did not open; empty when the control did not say.
QString reason(const OpenFailure &failure)
{
    using Kind = OpenFailure::Kind;
    switch (failure.kind) {
    case Kind::None:
        break;
    case Kind::NoPath:
        return EffectFileRefusal::tr("ファイルが指定されていません。");
    case Kind::Missing:
        return EffectFileRefusal::tr("ファイルが見つかりません。");
    case Kind::Folder:
        return EffectFileRefusal::tr("ファイルではなくフォルダーです。");
    case Kind::NotRegularFile:
        return EffectFileRefusal::tr("通常のファイルではありません。");
    case Kind::TooLarge:
        return EffectFileRefusal::tr("ファイルが大きすぎます（%1バイト。1 MiBまでです）。").arg(failure.detail);
    case Kind::NoPermission:
        return EffectFileRefusal::tr("ファイルを読む権限がありません。");
    case Kind::Unreadable:
        if (failure.detail.isEmpty())
            return EffectFileRefusal::tr("ファイルを読み込めません。");
        return EffectFileRefusal::tr("ファイルを読み込めません: %1").arg(failure.detail);
    case Kind::NotToml:
        return atPlace(failure, EffectFileRefusal::tr("TOMLとして読めません。"));
    case Kind::BadContent:
        return atPlace(failure, EffectFileRefusal::tr("エフェクトファイルの書き方に誤りがあります。"));
    case Kind::NoMemory:
        return EffectFileRefusal::tr("ファイルを読むためのメモリーが足りません。");
    }
    return {};
}

// One whole sentence for each choice of pairs, so each language writes its
// number its own way.
QString tooFewEffects(int needed)
{
    switch (needed) {
    case 4:
        return QCoreApplication::translate("EffectFileChoice", "エフェクトが４つ以上ありません。");
    case 6:
        return QCoreApplication::translate("EffectFileChoice", "エフェクトが６つ以上ありません。");
    default:
        return QCoreApplication::translate("EffectFileChoice", "エフェクトが８つ以上ありません。");
    }
}

} // namespace

QString refusalMessage(const EffectFileCheck &check)
{
    QString first;
    QString why;
    if (check.verdict == EffectFileVerdict::OpenFailed) {
        first = QCoreApplication::translate("EffectFileChoice", "IFRファイル読込みエラー");
        why = reason(check.failure);
    } else {
        first = tooFewEffects(check.needed);
        if (check.count)
            why = EffectFileRefusal::tr("このファイルのエフェクトは%1個です。").arg(*check.count);
    }
    // A line break inside a message.
    return why.isEmpty() ? first : first + QStringLiteral("\r\n") + why;
}

} // namespace pelnori
