// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "common/board.h"
#include "common/errors.h"
#include "common/globals.h"
#include "common/paths.h"
#include "common/platform.h"
#include "haptics/effectfilecheck.h"

namespace pelnori {

QString noControlMessage()
{
    return QStringLiteral("イマージョン・タッチセンスが使用できません\r\n使用環境をもう一度お確かめください。");
}

QString noDeviceMessage()
{
    return QStringLiteral("使用しているマウスがイマージョン・タッチセンスに対応していません\r\n"
                          "使用環境をもう一度お確かめください。");
}

bool Form_Load(Board &window, Platform &platform, Globals &globals, const HapticFactory &createControl)
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
    if (!attached) {
        skipOnError([&] { platform.messageBox(noDeviceMessage(), MessageIcon::Warning); });
        return false;
    }

    switch (checkEffectFile(*globals.HapticControl, window.effectPath())) {
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
