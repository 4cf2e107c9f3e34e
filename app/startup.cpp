// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "game/board.h"
#include "common/errors.h"
#include "game/globals.h"
#include "game/paths.h"
#include "game/platform.h"
#include "game/effectfilecheck.h"

#include <QCoreApplication>
#include <QStringList>

#include <chrono>

namespace pelnori {

namespace {

// A line break inside a message.
const QString kNewLine = QStringLiteral("\r\n");

QString checkSetup()
{
    return QCoreApplication::translate("Startup", "使用環境をもう一度お確かめください。");
}

// Each time the player waits for a slow device layer, it has this much more
// time to answer before the player is asked again.
constexpr std::chrono::milliseconds kMoreTimeToAnswer{3000};

// The effects are heard from now on; false when the audio output does not
// open after all, and the player has been told so with failedText.
bool turnSoundOn(Platform &platform, HapticInterface &control, const QString &failedText)
{
    bool heard = false;
    skipOnError([&] { heard = control.turnSoundOn(); });
    if (!heard)
        skipOnError([&] { platform.messageBox(failedText, MessageIcon::Warning); });
    return heard;
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
    return byEar && turnSoundOn(platform, control, noDeviceMessage(true));
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

enum class SlowDevice { Answered, ByEar, End };

// The device layer has not answered by the start's deadline: a device may be
// attached and only slow (a driver that blocks). The player may give it more
// time, as often as they like, play by ear where the sound works, or end.
SlowDevice waitForAnswer(Platform &platform, HapticInterface &control)
{
    bool answered = false;
    skipOnError([&] { answered = control.answered(std::chrono::milliseconds(0)); });
    while (!answered) {
        bool audio = false;
        skipOnError([&] { audio = control.soundOutputWorks(); });
        QStringList choices;
        if (audio)
            choices << playByEarChoice();
        choices << waitChoice();
        int picked = -1;
        skipOnError([&] {
            picked = platform.messageBoxWithChoices(notAnsweringMessage(), MessageIcon::Warning, choices);
        });
        const QString choice = choices.value(picked);
        if (choice == playByEarChoice())
            return SlowDevice::ByEar;
        if (choice != waitChoice())
            return SlowDevice::End;
        skipOnError([&] { answered = control.answered(kMoreTimeToAnswer); });
    }
    return SlowDevice::Answered;
}

// A device to play on, or the sound instead. False when the program must
// end; the player has been told why.
bool deviceOrSound(Platform &platform, HapticInterface &control)
{
    switch (waitForAnswer(platform, control)) {
    case SlowDevice::End:
        return false;
    case SlowDevice::ByEar:
        return turnSoundOn(platform, control, notAnsweringMessage(true));
    case SlowDevice::Answered:
        break;
    }
    bool attached = false;
    skipOnError([&] { attached = control.ForceDeviceAttached(); });
    if (!attached)
        return playByEarInstead(platform, control);
    sayWhenSoundIsMissing(platform, control);
    return true;
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

QString notAnsweringMessage(bool noAudioEither)
{
    QString text = QCoreApplication::translate("Startup", "フォースフィードバック機器がまだ応答しません。");
    if (noAudioEither)
        text += kNewLine + QCoreApplication::translate("Startup", "音声出力も使用できません。");
    return text;
}

QString waitChoice()
{
    return QCoreApplication::translate("Startup", "待つ");
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

    if (!deviceOrSound(platform, *globals.HapticControl))
        return false;

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
