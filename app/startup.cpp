// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "game/board.h"
#include "common/errors.h"
#include "game/globals.h"
#include "game/paths.h"
#include "game/platform.h"
#include "game/effectfilecheck.h"

#include <QCoreApplication>

namespace pelnori {

namespace {

// A line break inside a message.
const QString kNewLine = QStringLiteral("\r\n");

QString checkSetup()
{
    return QCoreApplication::translate("Startup", "使用環境をもう一度お確かめください。");
}

// No device: the player may hear the effects instead when an audio output
// opens, and then the start goes on as with the sound option. False when
// the program must end; the player has been told why.
bool playByEarInstead(Platform &platform, HapticInterface &control)
{
    bool soundAsked = false;
    skipOnError([&] { soundAsked = control.soundOn(); });
    bool audio = false;
    if (!soundAsked)
        skipOnError([&] { audio = control.soundOutputWorks(); });
    if (!audio) {
        skipOnError([&] { platform.messageBox(noDeviceMessage(soundAsked), MessageIcon::Warning); });
        return false;
    }
    bool byEar = false;
    skipOnError([&] {
        byEar = platform.messageBoxWithChoice(noDeviceMessage(false), MessageIcon::Warning, playByEarChoice());
    });
    if (!byEar)
        return false;
    bool heard = false;
    skipOnError([&] { heard = control.turnSoundOn(); });
    if (!heard)
        skipOnError([&] { platform.messageBox(noDeviceMessage(true), MessageIcon::Warning); });
    return heard;
}

// The sound was asked for, and a device plays the effects: an audio output
// that does not work leaves the game playable, felt only, and the player is
// told so rather than left to wonder at the silence.
void sayWhenSoundIsMissing(Platform &platform, HapticInterface &control)
{
    bool soundAsked = false;
    skipOnError([&] { soundAsked = control.soundOn(); });
    bool heard = true;
    if (soundAsked)
        skipOnError([&] { heard = control.soundOutputWorks(); });
    if (!heard) {
        const QString text = QCoreApplication::translate("Startup", "音声出力が使用できません。") + kNewLine
                             + QCoreApplication::translate("Startup", "エフェクトは音なしで再生します。");
        skipOnError([&] { platform.messageBox(text, MessageIcon::Warning); });
    }
}

} // namespace

QString noControlMessage()
{
    return QCoreApplication::translate("Startup", "フォースフィードバックが使用できません") + kNewLine + checkSetup();
}

QString noDeviceMessage(bool noAudioEither)
{
    QString text = QCoreApplication::translate("Startup", "フォースフィードバックに対応した機器が接続されていません")
                   + kNewLine;
    if (noAudioEither)
        text += QCoreApplication::translate("Startup", "音声出力も使用できません。") + kNewLine;
    return text + checkSetup();
}

QString playByEarChoice()
{
    return QCoreApplication::translate("Startup", "音で遊ぶ");
}

bool Form_Load(Board &window, Platform &platform, Globals &globals, const HapticFactory &createControl, int pairs)
{
    skipOnError([&] { window.setEffectPath(programFile(platform.programFolder(), kDefaultEffectFile)); });
    globals.EffectResource = kNoUsableFile;
    skipOnError([&] { globals.HapticControl = createControl(QString::fromLatin1(kHapticControlId)); });

    if (!globals.HapticControl) {
        skipOnError([&] { platform.messageBox(noControlMessage(), MessageIcon::Warning); });
        return false;
    }

    bool attached = false;
    skipOnError([&] { attached = globals.HapticControl->ForceDeviceAttached(); });
    if (!attached && !playByEarInstead(platform, *globals.HapticControl))
        return false;
    if (attached)
        sayWhenSoundIsMissing(platform, *globals.HapticControl);

    switch (checkEffectFile(*globals.HapticControl, window.effectPath(), pairs).verdict) {
    case EffectFileVerdict::Usable:
        globals.EffectResource = kFileChosenNoGame;
        break;
    case EffectFileVerdict::OpenFailed:
    case EffectFileVerdict::TooFewEffects:
        skipOnError([&] { window.setEffectPath(QString()); });
        break;
    }

    skipOnError([&] { centreWindow(window, platform); });
    return true;
}

void centreWindow(Board &window, Platform &platform)
{
    const float screenWidth = platform.screenWidthTwips();
    const float width = window.windowWidth();
    const float screenHeight = platform.screenHeightTwips();
    const float height = window.windowHeight();
    window.setWindowLeft((screenWidth - width) / 2.0f);
    window.setWindowTop((screenHeight - height) / 2.0f);
}

} // namespace pelnori
