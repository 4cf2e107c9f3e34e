// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/padrelay.h"

#include "app/frmmain.h"
#include "common/hapticinterface.h"
#include "device/sdlhapticcontrol.h"

#include <QGuiApplication>

namespace pelnori {

PadRelay::PadRelay(frmMain &window, SdlHapticControl &control)
    : m_window(window)
    , m_control(control)
{
    m_control.setPadListener([this](PadAction action) {
        QMetaObject::invokeMethod(this, [this, action] { act(action); }, Qt::QueuedConnection);
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, &PadRelay::followActivation);
    followActivation();
}

PadRelay::~PadRelay()
{
    try {
        m_control.setPadListener({});
        m_control.setPadInputWanted(false);
    } catch (const HapticError &) {
        // The playback thread has stopped: it calls nothing any more.
    }
}

void PadRelay::followActivation()
{
    try {
        m_control.setPadInputWanted(QGuiApplication::applicationState() == Qt::ApplicationActive);
    } catch (const HapticError &) {
        // No playback thread, no controller input: the mouse and keys still work.
    }
}

void PadRelay::act(PadAction action)
{
    m_window.padAction(action);
}

} // namespace pelnori
