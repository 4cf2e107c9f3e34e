// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settingsflow.h"

#include "app/frmmain.h"
#include "app/settingsdialog.h"
#include "common/errors.h"
#include "common/hapticinterface.h"
#include "game/effectfilecheck.h"
#include "game/globals.h"
#include "game/journalfile.h"
#include "game/platform.h"
#include "game/settingsstore.h"

#include <QCoreApplication>

namespace pelnori {

namespace {

QString text(const char *source)
{
    return QCoreApplication::translate("SettingsFlow", source);
}

} // namespace

bool playStrengthTrial(HapticInterface &control, std::int32_t gameHandle, const QString &path, int percent,
                       int applied)
{
    std::int32_t handle = gameHandle;
    if (handle < -1) {
        handle = -100;
        skipOnError([&] { handle = control.OpenForceResource(path); });
        if (handle < -1)
            return false;
    }
    if (judgeOpenedFile(control, handle, 1).verdict != EffectFileVerdict::Usable)
        return false;
    QString name;
    bool named = false;
    skipOnError([&] {
        name = control.GetNameOfEffect(0, handle);
        named = true;
    });
    if (!named)
        return false;
    bool played = false;
    skipOnError([&] {
        control.setStrength(percent);
        control.StartEffect(name, handle);
        played = true;
    });
    skipOnError([&] { control.setStrength(applied); });
    return played;
}

QStringList settingsNotLiveYet(const Settings &before, const Settings &after, const NextGame &waiting)
{
    QStringList told;
    if (waiting.pairs)
        told << text(QT_TRANSLATE_NOOP("SettingsFlow", "ペアの数は次のゲームから変わります。"));
    if (waiting.players)
        told << text(QT_TRANSLATE_NOOP("SettingsFlow", "遊び方は次のゲームから変わります。"));
    if (waiting.journal)
        told << text(QT_TRANSLATE_NOOP("SettingsFlow", "プレイ記録は次のゲームから残ります。"));
    if (before.sound && !after.sound)
        told << text(QT_TRANSLATE_NOOP("SettingsFlow", "音は次回の起動から止まります。"));
    if (after.language != before.language)
        told << SettingsDialog::languageNote();
    return told;
}

QString SettingsFlow::appliedText()
{
    return text(QT_TRANSLATE_NOOP("SettingsFlow", "設定を変更しました。"));
}

QString SettingsFlow::notKeptText()
{
    return text(QT_TRANSLATE_NOOP("SettingsFlow", "設定を保存できませんでした。今回の実行中だけ有効です。"));
}

QString SettingsFlow::nothingToTryText()
{
    return text(QT_TRANSLATE_NOOP("SettingsFlow", "試せる効果がありません。IFRファイルを選んでください。"));
}

SettingsFlow::SettingsFlow(frmMain &window, Platform &platform, Globals &globals)
    : m_window(window)
    , m_platform(platform)
    , m_globals(globals)
{
}

void SettingsFlow::openDialog()
{
    SettingsDialog dialog(m_window.settings(), [this](int percent) { tryStrength(percent); }, &m_window,
                          m_controllers);
    if (dialog.exec() != QDialog::Accepted || m_platform.hasEnded())
        return;
    const Settings before = m_window.settings();
    const Settings after = dialog.settings();
    NextGame waiting;
    if (!m_window.applySettings(after)) {
        const Game &game = m_window.game();
        waiting.pairs = after.pairs != game.pairsInPlay();
        waiting.players = game.seats().choiceWaits();
    }
    if (m_controllers.apply)
        m_controllers.apply(after);
    // Playing by ear can start at once; it ends only with the program.
    if (after.sound && !before.sound && m_globals.HapticControl)
        skipOnError([this] { m_globals.HapticControl->turnSoundOn(); });
    // A journal switched on keeps the games from the next one on, one
    // switched off keeps no more; a file given for this run stays.
    PlayJournal &journal = m_window.journal();
    const QString journalFile = journalFileFor(after.journal, m_journalOfThisRun);
    waiting.journal = journal.file().isEmpty() && !journalFile.isEmpty() && m_window.game().gameRunning()
                      && !journal.gameUnderWay();
    journal.setFile(journalFile);
    journal.setPlayers(after.players);
    QStringList told = settingsNotLiveYet(before, after, waiting);
    const bool kept = !m_store || m_store->save(keptSettings(m_store->load(), before, after));
    if (!kept)
        told << notKeptText();
    if (told.isEmpty())
        m_window.announce(appliedText());
    else
        m_platform.messageBox(told.join(QStringLiteral("\r\n")), kept ? MessageIcon::Information : MessageIcon::Warning);
}

void SettingsFlow::tryStrength(int percent)
{
    const bool played = m_globals.HapticControl
                        && playStrengthTrial(*m_globals.HapticControl, m_globals.EffectResource,
                                             m_window.board().effectPath(), percent, m_window.settings().strength);
    if (!played)
        m_platform.messageBox(nothingToTryText(), MessageIcon::Information);
}

} // namespace pelnori
