// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/effectfilechoice.h"

#include "game/board.h"
#include "common/errors.h"
#include "game/globals.h"
#include "game/platform.h"
#include "game/effectfilecheck.h"
#include "game/openfiledialog.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace pelnori {

QString openErrorMessage()
{
    return QCoreApplication::translate("EffectFileChoice", "IFRファイル読込みエラー");
}

QString tooFewEffectsMessage(int pairs)
{
    // One whole sentence for each choice, so each language writes its number its own way.
    switch (pairs) {
    case 4:
        return QCoreApplication::translate("EffectFileChoice", "エフェクトが４つ以上ありません。");
    case 6:
        return QCoreApplication::translate("EffectFileChoice", "エフェクトが６つ以上ありません。");
    default:
        return QCoreApplication::translate("EffectFileChoice", "エフェクトが８つ以上ありません。");
    }
}

namespace {

// The folder of the file at `path`, or the program's own when there is none.
QString effectFileFolder(const QString &path, const QString &programFolder)
{
    return path.isEmpty() ? programFolder : QFileInfo(path).absolutePath();
}

} // namespace

void cmbRead_IFR_Click(OpenFileDialog &dialog, Board &board, Platform &platform, Globals &globals, int pairs)
{
    // Each setting is tried on its own; any failure, a cancel included, ends
    // the handler once the dialog step is over.
    bool failed = false;
    const auto step = [&failed](auto &&statement) {
        try {
            statement();
        } catch (const std::exception &) {
            failed = true;
        }
    };
    step([&] { dialog.setDefaultExt(QStringLiteral("ifr")); });
    step([&] { dialog.setFileName(QString()); });
    step([&] { dialog.setDialogTitle(QCoreApplication::translate("EffectFileChoice", "IFRファイルを開く")); });
    // Only the description is translated; the patterns stay as they are.
    step([&] {
        dialog.setFilter(QStringLiteral("IFR(*.ifr)|*.ifr|%1|*.*")
                             .arg(QCoreApplication::translate("EffectFileChoice", "すべてのファイル")));
    });
    step([&] { dialog.setFilterIndex(1); });
    step([&] { dialog.setFlags(kEffectFileDialogFlags); });
    step([&] { dialog.setCancelError(true); });
    // Where the current file lies, so the files beside it are one step away.
    skipOnError([&] { dialog.setInitDir(effectFileFolder(board.effectPath(), platform.programFolder())); });
    step([&] { dialog.showOpen(); });
    if (failed)
        return;

    skipOnError([&] { board.setEffectPath(dialog.fileName()); });
    if (!globals.HapticControl)
        return;

    switch (checkEffectFile(*globals.HapticControl, board.effectPath(), pairs)) {
    case EffectFileVerdict::OpenFailed:
        skipOnError([&] { platform.messageBox(openErrorMessage(), MessageIcon::Warning); });
        skipOnError([&] { board.setEffectPath(QString()); });
        break;
    case EffectFileVerdict::TooFewEffects:
        skipOnError([&] { platform.messageBox(tooFewEffectsMessage(pairs), MessageIcon::Warning); });
        skipOnError([&] { board.setEffectPath(QString()); });
        break;
    case EffectFileVerdict::Usable:
        globals.EffectResource = kFileChosenNoGame;
        break;
    }
}

} // namespace pelnori
