// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/padaction.h"

#include <QObject>

namespace pelnori {

class SdlHapticControl;
class frmMain;

// Brings game-controller presses from the haptic control's thread to the
// window, as queued events of the window's thread: a press that comes while
// a handler yields runs inside it like a click, one that comes during a
// blocking pause waits its turn. The control reads controllers only while
// the program is the active one.
class PadRelay : public QObject
{
    Q_OBJECT

public:
    PadRelay(frmMain &window, SdlHapticControl &control);
    // Returns only once the control no longer calls into this object.
    ~PadRelay() override;

private:
    void act(PadAction action);
    void followActivation();

    frmMain &m_window;
    SdlHapticControl &m_control;
};

} // namespace pelnori
