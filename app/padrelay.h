// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/padaction.h"

#include <QObject>

#include <memory>

class QSocketNotifier;

namespace pelnori {

class PadMailbox;
class SdlHapticControl;
class frmMain;

// Brings game-controller presses from the haptic control's thread to the
// window, through a mailbox that the window's thread empties as its event
// loop runs: a press that comes while a handler yields is acted on inside it
// like a click, one that comes during a blocking pause waits its turn. The
// control reads controllers only while the program is the active one.
class PadRelay : public QObject
{
    Q_OBJECT

public:
    // Without an answer from the control's thread the game is played on
    // without controller input.
    PadRelay(frmMain &window, SdlHapticControl &control);
    // Closes the mailbox first: whatever the control's thread is doing, it
    // reaches nothing of this relay afterwards.
    ~PadRelay() override;

private:
    void deliver();
    void followActivation();

    frmMain &m_window;
    SdlHapticControl &m_control;
    std::shared_ptr<PadMailbox> m_mailbox;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace pelnori
