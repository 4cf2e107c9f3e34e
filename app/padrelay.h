// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/padaction.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace pelnori {

class PadMailbox;
class SdlHapticControl;
class frmMain;

// What the relay asks of the owner of the controllers: to call a listener
// with every press, on its own thread, and whether presses are wanted now.
// Either may raise HapticError; the listener may be called after the relay
// has gone.
struct PadSource
{
    std::function<void(std::function<void(const PadPress &)>)> setListener;
    std::function<void(bool)> setWanted;
    // Optional: whether buttons are to come by name instead of acting.
    std::function<void(bool)> setCapturing;
};

// Brings game-controller presses from the haptic control's thread to the
// window, through a mailbox that the window's thread empties as its event
// loop runs: a press that comes while a handler yields is acted on inside it
// like a click, one that comes during a blocking pause waits its turn. The
// control reads controllers only while the program is the active one.
class PadRelay : public QObject
{
    Q_OBJECT

public:
    // Waits for nothing from the control's thread; while it is busy the
    // presses wait, and when it has stopped the game goes on without them.
    PadRelay(frmMain &window, SdlHapticControl &control);
    PadRelay(frmMain &window, PadSource source);
    // Closes the mailbox: whatever the control's thread is doing, it reaches
    // nothing of this relay afterwards. Waits for nothing.
    ~PadRelay() override;

    // Each button pressed from now on goes to sink by its name (SDL's), on
    // the window's thread, and does nothing else; an empty sink ends that.
    void capture(std::function<void(const QString &button)> sink);

private:
    void deliver();
    void followActivation();

    frmMain &m_window;
    PadSource m_source;
    std::shared_ptr<PadMailbox> m_mailbox;
    // Stops watching the mailbox's wake-up before the mailbox may go.
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::function<void(const QString &)> m_captureSink;
};

} // namespace pelnori
