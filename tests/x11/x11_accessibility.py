#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program as a screen reader meets it.

Runs the whole program with a virtual game controller (pelnori_testdevice) on
a virtual X server, with a D-Bus session of its own and the accessibility bus
that at-spi2-core starts on it, and plays through AT-SPI with the client
library that screen readers use (pyatspi):

  * the sixteen cards are push buttons named by row and column, face down;
    the verdict line is named 判定 and the two counters are labelled by
    残り枚数 and 経過時間;
  * the start button's press action deals a game and the clock runs;
  * a card's press action turns it open: its description says 表向き;
  * pressing the first card and then each other card in turn finds its
    partner: after a miss both are face down again and 判定 says so, after
    the pair both say 揃った and 残り枚数 reads 14; every change of a face,
    of the verdict and of the count raises its event;
  * the quit button's press action ends the program cleanly.

Needs Debian's python3-pyatspi (run with the system's python3), at-spi2-core
and dbus besides what x11_window.py needs.

usage: x11_accessibility.py PROGRAM OUT_DIR
"""

import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from x11_window import Failure, Session, run  # noqa: E402

DOWN, OPEN, MATCHED = "裏向き", "表向き", "揃った"
HIT, MISS = "正解！", "残念、違います。"


class AccessibleSession(Session):
    """Session with a private D-Bus session bus; at-spi2-core's bus launcher
    is started on it by D-Bus activation when the program asks for the
    accessibility bus."""

    def __init__(self, program, out_dir):
        super().__init__(program, out_dir)
        self.bus = None
        self.bus_address = None

    def start_bus(self):
        read_end, write_end = os.pipe()
        # Its own process group: the services it starts go with it at the end.
        self.bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nosyslog", f"--print-address={write_end}"],
            pass_fds=(write_end,), start_new_session=True, env=self.env(), stdout=subprocess.DEVNULL,
            stderr=open(os.path.join(self.work, "dbus.log"), "w"))
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            self.bus_address = pipe.readline().strip()
        if not self.bus_address:
            raise Failure("dbus-daemon did not start")

    def env(self):
        env = super().env()
        env.pop("AT_SPI_BUS_ADDRESS", None)
        if self.bus_address:
            env["DBUS_SESSION_BUS_ADDRESS"] = self.bus_address
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        env["QT_ACCESSIBILITY"] = "1"
        return env

    def stop(self):
        super().stop()
        if self.bus:
            try:
                os.killpg(self.bus.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            try:
                self.bus.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(self.bus.pid, signal.SIGKILL)
                self.bus.wait()


class Client:
    """The program's window through pyatspi, with the events it raises."""

    def __init__(self, pyatspi, glib):
        self.pyatspi = pyatspi
        self.context = glib.MainContext.default()
        self.events = []
        pyatspi.Registry.registerEventListener(self.record, "object:property-change:accessible-description",
                                               "object:text-changed")

    def record(self, event):
        try:
            self.events.append((event.type.split(":")[1], event.source.name))
        except Exception:  # the source may be gone already
            pass

    def pump(self):
        while self.context.pending():
            self.context.iteration(False)

    def wait_until(self, condition, timeout, what):
        deadline = time.monotonic() + timeout
        while True:
            self.pump()
            if condition():
                return
            if time.monotonic() > deadline:
                raise Failure(what)
            time.sleep(0.05)

    def raised(self, kind, name):
        return (kind, name) in self.events

    def find_window(self, timeout):
        desktop = self.pyatspi.Registry.getDesktop(0)
        found = []

        def window():
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and app.name == "Pelnori" and app.childCount:
                    found.append(app.getChildAtIndex(0))
                    return True
            return False
        self.wait_until(window, timeout, "the program did not show up on the accessibility bus")
        return found[0]

    @staticmethod
    def text(accessible):
        return accessible.queryText().getText(0, -1)

    @staticmethod
    def press(accessible):
        action = accessible.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        if "Press" not in names:
            raise Failure(f"{accessible.name}: no press action among {names}")
        action.doAction(names.index("Press"))


def child(window, role, name):
    for accessible in window:
        if accessible.getRoleName() == role and accessible.name == name:
            return accessible
    raise Failure(f"no {role} named {name!r}")


def labelled_by(pyatspi, accessible):
    return [relation.getTarget(i).name for relation in accessible.getRelationSet()
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
            for i in range(relation.getNTargets())]


def play(session, pyatspi, client):
    window = client.find_window(30)
    cards = [child(window, "push button", f"{row}行目 {column}列目のカード")
             for row in range(1, 5) for column in range(1, 5)]
    faces = [card.description for card in cards]
    if faces != [DOWN] * 16:
        raise Failure(f"before the first game the cards say {faces}")
    verdict = child(window, "label", "判定")
    left = child(window, "text", "残り枚数")
    clock = child(window, "text", "経過時間")
    for box, label in ((left, "残り枚数"), (clock, "経過時間")):
        if labelled_by(pyatspi, box) != [label]:
            raise Failure(f"{box.name} is labelled by {labelled_by(pyatspi, box)}")
    if (client.text(verdict), client.text(left), client.text(clock)) != ("", "16", ""):
        raise Failure("before the first game: 判定, 残り枚数 and 経過時間 read "
                      f"{client.text(verdict)!r}, {client.text(left)!r}, {client.text(clock)!r}")
    print("start-up: sixteen face-down cards named by row and column; 判定 and the labelled counters")

    client.press(child(window, "push button", "Zolva開始"))
    client.wait_until(lambda: client.text(clock) != "", 60, "the clock did not start after the start button")
    print("game: dealt through the start button's press action, the clock runs")

    first = cards[0]
    for partner in cards[1:]:
        client.events.clear()
        client.press(first)
        client.wait_until(lambda: first.description == OPEN and client.text(verdict) == "", 10,
                          f"{first.name} did not turn open: {first.description}")
        client.press(partner)
        client.wait_until(lambda: client.text(verdict) in (HIT, MISS), 10, f"no verdict after {partner.name}")
        hit = client.text(verdict) == HIT
        face = MATCHED if hit else DOWN
        client.wait_until(lambda: first.description == face and partner.description == face, 10,
                          f"after {client.text(verdict)}: {first.name} {first.description}, "
                          f"{partner.name} {partner.description}")
        for kind, name in (("property-change", first.name), ("property-change", partner.name),
                           ("text-changed", "判定")):
            if not client.raised(kind, name):
                raise Failure(f"no {kind} event from {name}; seen: {client.events}")
        if hit:
            client.wait_until(lambda: client.text(left) == "14", 10, f"残り枚数 reads {client.text(left)} after a pair")
            if not client.raised("text-changed", "残り枚数"):
                raise Failure(f"no text-changed event from 残り枚数; seen: {client.events}")
            print(f"cards: {first.name} found its partner {partner.name} through press actions; "
                  "faces, 判定 and 残り枚数 followed with their events")
            break
        if client.text(left) != "16":
            raise Failure(f"残り枚数 reads {client.text(left)} after a miss")
    else:
        raise Failure(f"{first.name} found no partner")

    client.press(child(window, "push button", "終了"))
    session.wait_for_end("the quit button's press action")


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    program, out_dir = (os.path.abspath(a) for a in sys.argv[1:])
    os.makedirs(out_dir, exist_ok=True)
    session = AccessibleSession(program, out_dir)
    try:
        session.start_xvfb()
        session.start_bus()
        # This process is the screen reader: the same display and buses.
        os.environ.update({key: session.env()[key] for key in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS")})
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        import pyatspi
        from gi.repository import GLib
        client = Client(pyatspi, GLib)
        session.start_program()
        session.wait_for_window(90)
        play(session, pyatspi, client)
    finally:
        session.stop()
    return 0


if __name__ == "__main__":
    run(main)
