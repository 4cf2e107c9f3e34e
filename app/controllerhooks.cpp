// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/controllerhooks.h"

#include "app/padrelay.h"
#include "common/hapticinterface.h"
#include "device/hapticslog.h"
#include "device/sdlhapticcontrol.h"

namespace pelnori {

PadMapping padMappingOf(const Settings &settings)
{
    return {settings.turnButton.toStdString(), settings.startButton.toStdString(),
            settings.readFileButton.toStdString(), settings.stateButton.toStdString(), settings.deadZone};
}

ControllerHooks controllerHooks(SdlHapticControl &control, PadRelay &relay)
{
    return {[&control] {
                try {
                    return control.controllers();
                } catch (const HapticError &error) {
                    qCWarning(lcHaptics) << "no list of controllers:" << error.what();
                    return std::vector<std::pair<QString, QString>>();
                }
            },
            [&relay](std::function<void(const QString &)> sink) { relay.capture(std::move(sink)); },
            [&control](const Settings &settings) {
                control.setPadSettings(padMappingOf(settings), settings.controller, settings.swapControllers);
            }};
}

} // namespace pelnori
