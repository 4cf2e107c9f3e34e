#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A game heard through a real screen reader: Orca on Xvfb with openbox, on a
D-Bus session of its own with the accessibility bus, reads the real program
(pelnori_testdevice); keys go to the window through xdotool, and what Orca
would speak is read from its debug log ("SPEECH OUTPUT:" lines), whether or
not the machine has a sound card.

With the keyboard only it opens the settings from the window's menu and
closes them, deals a game and plays two attempts, and checks what is
spoken: the first setting's label and value; the start button when the
focus reaches it; the end of the
deal; each turned card's new state right after the press; after the second
card of an attempt the verdict, and the cards left after a found pair; the
state of the game on demand (S); and never the clock by itself.

usage: x11_screenreader.py PROGRAM OUT_DIR [LANGUAGE]
"""

import os
import re
import shutil
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # no cache beside the sources
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from x11_accessibility import AccessibleSession  # noqa: E402
from x11_window import Failure, end, run  # noqa: E402

TEXTS = {
    "ja": {"start": "Zolva開始", "dealt": "配りました", "open": "表向き", "matched": "揃った", "hit": "正解！",
           "miss": "残念、違います。", "left": "残り{}枚", "status": r"残り16枚、\d+秒", "frame": "Pelnori frame",
           "card": r"\d行目 \d列目のカード", "pairs": "ペアの数"},
    "en": {"start": "New game", "dealt": "Cards dealt", "open": "face up", "matched": "matched", "hit": "A pair!",
           "miss": "Not a pair.", "left": "{} cards left", "status": r"16 cards left, \d+ seconds",
           "frame": "Pelnori frame", "card": r"Card in row \d, column \d", "pairs": "Pairs"},
}


# Orca writes its debug log through a buffer, flushed only when full or at
# its end: it is started with text files opened for writing line-buffered, so
# that each utterance is in the log as soon as it is spoken. And it refuses to
# start while any other Orca of the same user runs (the player's own, or a
# test of another build): this one is alone on its display and buses anyway.
ORCA = """
import builtins, runpy, sys
opened = builtins.open
def line_buffered(file, mode="r", *args, **kwargs):
    if "w" in mode and "b" not in mode and not args and "buffering" not in kwargs:
        kwargs["buffering"] = 1
    return opened(file, mode, *args, **kwargs)
builtins.open = line_buffered
sys.argv = ["orca"] + sys.argv[1:]
main = runpy.run_path("/usr/bin/orca", run_name="orca_in_a_test")["main"]
main.__globals__["otherOrcas"] = lambda: []
sys.exit(main())
"""


def said(text, line):
    """Whether line holds text; Orca ends each utterance with a full stop of its own."""
    return text.rstrip(".") in line


class ScreenReaderSession(AccessibleSession):
    orca = None

    def start_orca(self):
        # The accessibility bus first: the screen reader and the program meet on it.
        self.launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                         env=self.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Orca is no Wayland client here: the session's display is X.
        orca_env = dict(self.env())
        orca_env.pop("WAYLAND_DISPLAY", None)
        prefs = os.path.join(self.work, "orca-prefs")
        os.makedirs(prefs, exist_ok=True)
        self.log = os.path.join(self.work, "orca.log")
        self.orca = subprocess.Popen([sys.executable, "-c", ORCA, "--debug-file=" + self.log, "-u", prefs],
                                     env=orca_env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.wait_for_speech(lambda lines: any("Screen reader on" in line for line in lines), "Orca to start", 60)

    def stop(self):
        end(self.orca, getattr(self, "launcher", None))
        if self.orca and os.path.exists(self.log):
            shutil.copy(self.log, os.path.join(self.out, "orca.log"))
        super().stop()

    def spoken(self):
        """Every utterance so far, in order, without the keys Orca echoes."""
        try:
            with open(self.log, errors="replace") as log:
                text = log.read()
        except FileNotFoundError:
            return []
        lines = []
        for match in re.finditer(r"SPEECH OUTPUT: '(.*?)' ?\{'established'", text, re.S):
            line = match.group(1).strip().rstrip(".").strip()
            if line and not match.group(1).endswith(" "):  # keys are echoed with a trailing space
                lines.append(line)
        return lines

    def wait_for_speech(self, condition, what, timeout=15):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            lines = self.spoken()
            if condition(lines):
                return lines
            time.sleep(0.2)
        raise Failure(f"waited in vain for {what}; Orca said:\n  " + "\n  ".join(self.spoken()[-25:]))

    def hear_window(self, frame):
        """Waits until Orca names the active window. Now and then, under load,
        the program's bridge to the accessibility bus asks the registry who
        listens too early, finds nobody, and sends no event at all: Orca,
        which heard nothing since "Screen reader on", waits for ever. A
        listener registered anew makes the bridge ask again; then the window,
        activated anew, is heard. This is done a bounded number of times."""
        heard = lambda lines: any(line.startswith(frame) for line in lines)
        for _ in range(3):
            try:
                return self.wait_for_speech(heard, "the window's name", 10)
            except Failure:
                print("the window's name not heard: activating the window anew")
            self.activate_anew()
        return self.wait_for_speech(heard, "the window's name", 10)

    def activate_anew(self):
        # This process joins the accessibility bus, as x11_accessibility does:
        # a listener of its own makes the bridge ask the registry again, and
        # the frame's state tells when the program has seen each change.
        os.environ.update({key: self.env()[key] for key in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS")})
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        import pyatspi
        pyatspi.Registry.registerEventListener(lambda event: None, "window:activate")

        def active():
            desktop = pyatspi.Registry.getDesktop(0)
            for app in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)):
                if app and app.name == "Pelnori" and app.childCount:
                    return app[0].getState().contains(pyatspi.STATE_ACTIVE)
            return None

        def wait_until(state, what):
            deadline = time.monotonic() + 15
            while active() is not state:
                if time.monotonic() > deadline:
                    raise Failure(f"the window was never {what}")
                time.sleep(0.1)
        self.x("xdotool", "windowminimize", "--sync", self.window)
        wait_until(False, "inactive after minimising it")
        self.x("xdotool", "windowactivate", "--sync", self.window)
        wait_until(True, "active again")
        self.settle()

    def key(self, name):
        self.x("xdotool", "key", "--window", self.window, name)


def main():
    if len(sys.argv) not in (3, 4):
        print(__doc__)
        return 2
    program, out_dir = (os.path.abspath(a) for a in sys.argv[1:3])
    os.makedirs(out_dir, exist_ok=True)
    session = ScreenReaderSession(program, out_dir)
    session.language = sys.argv[3] if len(sys.argv) == 4 else "ja"
    text = TEXTS[session.language]
    try:
        session.start_xvfb()
        session.start_window_manager()
        session.start_bus()
        session.start_orca()
        session.start_program()
        session.wait_for_window(90)
        session.settle()
        session.x("xdotool", "windowactivate", "--sync", session.window)

        def after(count, what, condition, timeout=15):
            return session.wait_for_speech(lambda lines: condition(lines[count:]), what, timeout)[count:]

        # The window is a frame named Pelnori.
        session.hear_window(text["frame"])

        # Between games, Shift+F10 and Enter open the settings: the first
        # choice is said with its label and its value; Escape closes it.
        count = len(session.spoken())
        session.key("shift+F10")
        after(count, "the menu", lambda new: len(new) > 0)
        count = len(session.spoken())
        session.key("Return")
        pairs = re.compile(re.escape(text["pairs"]) + r" combo box 8\b")
        heard = after(count, "the pairs and their number", lambda new: pairs.search(" ".join(new)))
        print(f"settings: {heard}")
        count = len(session.spoken())
        session.key("Escape")
        after(count, "the window again", lambda new: any(line.startswith(text["frame"]) for line in new))

        # Tab to the start button, and deal.
        for _ in range(30):
            count = len(session.spoken())
            session.key("Tab")
            heard = after(count, "the focus to move", lambda new: len(new) > 0)
            if any(line.startswith(text["start"]) for line in heard):
                break
        else:
            raise Failure("Tab never reached the start button")
        count = len(session.spoken())
        session.key("space")
        # The end of the deal is said; then S tells the state of the game,
        # asked again until the clock has ticked.
        after(count, "the end of the deal", lambda new: any(said(text["dealt"], line) for line in new), 30)
        for _ in range(20):
            count = len(session.spoken())
            session.key("s")
            heard = after(count, "an answer to S", lambda new: any(line.startswith("notification") for line in new))
            if any(re.search(text["status"], line) for line in heard):
                break
            time.sleep(0.5)
        else:
            raise Failure(f"S never told the state of a game: {heard}")

        # Back to the cards (the last one), and two attempts of two neighbouring cards.
        session.key("shift+Tab")
        time.sleep(1)
        found = 0
        for attempt in range(2):
            count = len(session.spoken())
            session.key("space")
            after(count, f"attempt {attempt + 1}: the first card's state",
                  lambda new: any(text["open"] in line for line in new))
            count = len(session.spoken())
            session.key("Left")
            after(count, f"attempt {attempt + 1}: the next card's place",
                  lambda new: any(re.search(text["card"], line) for line in new))
            count = len(session.spoken())
            session.key("space")
            heard = after(count, f"attempt {attempt + 1}: the second card's state and the verdict",
                          lambda new: any(said(text["hit"], line) or said(text["miss"], line) for line in new))
            everything = " ".join(heard)
            if said(text["hit"], everything):
                found += 1
                if text["matched"] not in everything or text["left"].format(16 - 2 * found) not in everything:
                    raise Failure(f"a found pair without its state or the cards left: {heard}")
            elif text["open"] not in everything:
                raise Failure(f"a missed pair without the second card's state: {heard}")
            print(f"attempt {attempt + 1}: {heard}")
            session.key("Left")
            time.sleep(0.5)

        # Quiet for two ticks of the clock: nothing is said by itself.
        count = len(session.spoken())
        time.sleep(2.5)
        if session.spoken()[count:]:
            raise Failure(f"spoken while nobody did anything: {session.spoken()[count:]}")
    finally:
        session.stop()
    return 0


if __name__ == "__main__":
    run(main)
