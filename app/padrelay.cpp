// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/padrelay.h"

#include "app/frmmain.h"
#include "app/padmailbox.h"
#include "common/hapticinterface.h"
#include "device/hapticslog.h"
#include "device/sdlhapticcontrol.h"

#include <QGuiApplication>
#include <QPointer>
#include <QSocketNotifier>

namespace pelnori {

PadRelay::PadRelay(frmMain &window, SdlHapticControl &control)
    : m_window(window)
    , m_control(control)
    , m_mailbox(std::make_shared<PadMailbox>())
{
    if (m_mailbox->wakeFd() >= 0) {
        m_notifier = new QSocketNotifier(m_mailbox->wakeFd(), QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &PadRelay::deliver);
    } else {
        // A queued call to this relay is dropped by Qt if the relay is gone.
        m_mailbox->setWaker([this] { QMetaObject::invokeMethod(this, &PadRelay::deliver, Qt::QueuedConnection); });
    }
    try {
        m_control.setPadListener([mailbox = m_mailbox](PadAction action) { mailbox->post(action); });
    } catch (const HapticError &error) {
        qCWarning(lcHaptics) << "no controller input:" << error.what();
        return;
    }
    connect(qApp, &QGuiApplication::applicationStateChanged, this, &PadRelay::followActivation);
    followActivation();
}

PadRelay::~PadRelay()
{
    m_mailbox->close();
    try {
        m_control.setPadInputWanted(false);
        m_control.setPadListener({});
    } catch (const HapticError &) {
        // The playback thread does not answer: the closed mailbox keeps it out.
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

// One action at a time: an action that opens a dialog runs its event loop,
// which goes on delivering the later ones in their order.
void PadRelay::deliver()
{
    m_mailbox->clearWake();
    const QPointer<PadRelay> alive(this);
    while (alive) {
        const auto action = m_mailbox->take();
        if (!action)
            break;
        m_window.padAction(*action);
    }
}

} // namespace pelnori
