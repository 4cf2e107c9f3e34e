#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program as a screen reader meets it: pelnori_testdevice on Xvfb,
with a D-Bus session of its own on which at-spi2-core starts the
accessibility bus, played through pyatspi (Debian's python3-pyatspi, so run
with the system's python3). The cards are push buttons named by row and
column, face down; 判定 and the counters labelled 残り枚数 and 経過時間 are
there; press actions deal a game, turn the first card open, then try each
other card until its partner: faces, 判定 and 残り枚数 follow, each change
with its event; the quit button's press action ends the program cleanly.

usage: x11_accessibility.py PROGRAM OUT_DIR
"""

import os
import signal
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # no cache beside the sources
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from x11_window import Failure, Session, run  # noqa: E402

DOWN, OPEN, MATCHED = "裏向き", "表向き", "揃った"
HIT, MISS = "正解！", "残念、違います。"


class AccessibleSession(Session):
    bus = None
    bus_address = None

    def start_bus(self):
        read_end, write_end = os.pipe()
        # A process group of its own: the bus launcher and registry it starts go with it.
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
        env = dict(super().env(), QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
        env.pop("AT_SPI_BUS_ADDRESS", None)
        if self.bus_address:
            env["DBUS_SESSION_BUS_ADDRESS"] = self.bus_address
        return env

    def stop(self):
        super().stop()
        for sig in (signal.SIGTERM, signal.SIGKILL):
            if self.bus and self.bus.poll() is None:
                os.killpg(self.bus.pid, sig)
                try:
                    self.bus.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    pass


def listen(pyatspi):
    """The events of changed descriptions and texts, as (kind, source name):
    listened to before the program starts, so that it sends them from the first."""
    events = []

    def record(event):
        try:
            events.append((event.type.split(":")[1], event.source.name))
        except Exception:  # its source may be gone already
            pass
    pyatspi.Registry.registerEventListener(record, "object:property-change:accessible-description",
                                           "object:text-changed")
    return events


def play(session, pyatspi, glib, events):
    context = glib.MainContext.default()

    def wait_until(condition, what, timeout=10):
        deadline = time.monotonic() + timeout
        while True:
            while context.pending():
                context.iteration(False)
            if condition():
                return
            if time.monotonic() > deadline:
                raise Failure(what() if callable(what) else what)
            time.sleep(0.05)

    def window():
        desktop = pyatspi.Registry.getDesktop(0)
        apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
        return next((app[0] for app in apps if app and app.name == "Pelnori" and app.childCount), None)
    wait_until(window, "the program did not show up on the accessibility bus", 30)
    controls = {(c.getRoleName(), c.name): c for c in window()}

    def control(role, name):
        if (role, name) not in controls:
            raise Failure(f"no {role} named {name!r}")
        return controls[(role, name)]

    def text(name):
        return control("text" if name != "判定" else "label", name).queryText().getText(0, -1)

    def press(accessible):
        action = accessible.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        if "Press" not in names:
            raise Failure(f"{accessible.name}: no press action among {names}")
        action.doAction(names.index("Press"))

    cards = [control("push button", f"{row}行目 {column}列目のカード") for row in range(1, 5) for column in range(1, 5)]
    if [card.description for card in cards] != [DOWN] * 16:
        raise Failure(f"before a game the cards say {[card.description for card in cards]}")
    for name in ("残り枚数", "経過時間"):
        labels = [r.getTarget(i).name for r in control("text", name).getRelationSet()
                  if r.getRelationType() == pyatspi.RELATION_LABELLED_BY for i in range(r.getNTargets())]
        if labels != [name]:
            raise Failure(f"{name} is labelled by {labels}")
    if (text("判定"), text("残り枚数"), text("経過時間")) != ("", "16", ""):
        raise Failure(f"before a game: {text('判定')!r}, {text('残り枚数')!r}, {text('経過時間')!r}")
    print("start-up: sixteen face-down cards named by row and column; 判定 and the labelled counters")

    press(control("push button", "Zolva開始"))
    wait_until(lambda: text("経過時間") != "", "the clock did not start after the start button", 60)
    print("game: dealt through the start button's press action, the clock runs")

    first = cards[0]
    for partner in cards[1:]:
        events.clear()
        press(first)
        wait_until(lambda: first.description == OPEN and text("判定") == "", lambda: f"{first.name}: {first.description}")
        press(partner)
        wait_until(lambda: text("判定") in (HIT, MISS), f"no verdict after {partner.name}")
        hit = text("判定") == HIT
        wait_until(lambda: {first.description, partner.description} == {MATCHED if hit else DOWN}
                   and text("残り枚数") == ("14" if hit else "16"),
                   lambda: f"after {text('判定')}: {first.description}, {partner.description}, {text('残り枚数')}")
        expected = [("property-change", first.name), ("property-change", partner.name), ("text-changed", "判定")]
        wait_until(lambda: all(e in events for e in expected + hit * [("text-changed", "残り枚数")]),
                   lambda: f"events missing after {text('判定')}; seen: {events}")
        if hit:
            print(f"cards: {first.name} found {partner.name} through press actions; faces, 判定 and 残り枚数 "
                  "followed with their events")
            break
    else:
        raise Failure(f"{first.name} found no partner")

    press(control("push button", "終了"))
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
        # This process is the screen reader: on the same display and buses.
        os.environ.update({key: session.env()[key] for key in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS")})
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        import pyatspi
        from gi.repository import GLib
        events = listen(pyatspi)
        session.start_program()
        session.wait_for_window(90)
        play(session, pyatspi, GLib, events)
    finally:
        session.stop()
    return 0


if __name__ == "__main__":
    run(main)
