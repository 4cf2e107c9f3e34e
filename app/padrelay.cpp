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
    : PadRelay(window, PadSource{[&control](auto listener) { control.setPadListener(std::move(listener)); },
                                 [&control](bool wanted) { control.setPadInputWanted(wanted); },
                                 [&control](bool capturing) { control.setPadCapturing(capturing); }})
{
}

PadRelay::PadRelay(frmMain &window, PadSource source)
    : m_window(window)
    , m_source(std::move(source))
    , m_mailbox(std::make_shared<PadMailbox>())
{
    if (m_mailbox->wakeFd() >= 0) {
        m_notifier = std::make_unique<QSocketNotifier>(m_mailbox->wakeFd(), QSocketNotifier::Read);
        connect(m_notifier.get(), &QSocketNotifier::activated, this, &PadRelay::deliver);
    } else {
        // The mailbox stops calling this before the relay goes.
        m_mailbox->setWaker([this] { QMetaObject::invokeMethod(this, &PadRelay::deliver, Qt::QueuedConnection); });
    }
    // Whatever the control says here, the window's activation is followed:
    // a listener that reaches the thread late must find input wanted.
    try {
        m_source.setListener([mailbox = m_mailbox](const PadPress &press) { mailbox->post(press); });
    } catch (const HapticError &error) {
        qCWarning(lcHaptics) << "no controller input yet:" << error.what();
    }
    connect(qApp, &QGuiApplication::applicationStateChanged, this, &PadRelay::followActivation);
    followActivation();
}

PadRelay::~PadRelay()
{
    // The control's thread keeps the listener, and with it the mailbox: once
    // closed, that reaches nothing, so there is no need to wait for the thread.
    m_mailbox->close();
    try {
        m_source.setWanted(false);
    } catch (const HapticError &) {
        // No playback thread: it reads no controller.
    }
}

void PadRelay::capture(std::function<void(const QString &)> sink)
{
    const bool capturing = bool(sink);
    m_captureSink = std::move(sink);
    if (!m_source.setCapturing)
        return;
    try {
        m_source.setCapturing(capturing);
    } catch (const HapticError &) {
        // No playback thread: no button comes, and the player can cancel.
    }
}

void PadRelay::followActivation()
{
    try {
        m_source.setWanted(QGuiApplication::applicationState() == Qt::ApplicationActive);
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
        const auto press = m_mailbox->take();
        if (!press)
            break;
        if (!press->captured.empty()) {
            // A name that comes after the capture ended is dropped. Called
            // through a copy: the sink may end the capture.
            if (const auto sink = m_captureSink)
                sink(QString::fromStdString(press->captured));
            continue;
        }
        m_window.padAction(press->action, press->player);
    }
}

} // namespace pelnori
