// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace pelnori {

// Sends what ALSA reports into the haptics log rather than to the terminal.
// SDL's ALSA driver leaves ALSA's own error printer in place: on a machine
// without a sound card every try of an output prints eight "ALSA lib …"
// lines, though nothing is wrong for the player and SDL's reason is logged
// anyway. Called before SDL's audio starts; does nothing where ALSA is not
// installed. Playback thread.
void sendAlsaMessagesToLog();

} // namespace pelnori
