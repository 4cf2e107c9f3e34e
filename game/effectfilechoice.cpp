// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/effectfilechoice.h"

#include "game/board.h"
#include "common/errors.h"
#include "game/globals.h"
#include "game/platform.h"
#include "game/effectfilecheck.h"
#include "game/openfiledialog.h"
#include "game/refusalmessage.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace pelnori {

namespace {

// The folder of the file at `path`; when there is none, the one the player
// last browsed (a rejected file empties the path box, and the next look goes
// on beside it), else the program's own.
QString effectFileFolder(const QString &path, const QString &browsed, const QString &programFolder)
{
    if (!path.isEmpty())
        return QFileInfo(path).absolutePath();
    return browsed.isEmpty() ? programFolder : browsed;
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
    skipOnError([&] {
        dialog.setInitDir(effectFileFolder(board.effectPath(), dialog.folder(), platform.programFolder()));
    });
    step([&] { dialog.showOpen(); });
    if (failed)
        return;

    skipOnError([&] { board.setEffectPath(dialog.fileName()); });
    if (!globals.HapticControl)
        return;

    const EffectFileCheck check = checkEffectFile(*globals.HapticControl, board.effectPath(), pairs);
    if (check.verdict == EffectFileVerdict::Usable) {
        globals.EffectResource = kFileChosenNoGame;
        return;
    }
    skipOnError([&] { platform.messageBox(refusalMessage(check), MessageIcon::Warning); });
    skipOnError([&] { board.setEffectPath(QString()); });
}

} // namespace pelnori
