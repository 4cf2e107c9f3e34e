#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program in a real X session.

Starts a virtual X server (Xvfb) with a window manager (openbox), runs the
whole program with a virtual game controller attached (pelnori_testdevice, so
start-up finds a device), and checks screenshots pixel by pixel:

  * the program runs on X11 although WAYLAND_DISPLAY is set as well, as in a
    Wayland session with XWayland, and never tries Wayland;
  * after start-up: the window's frame, as the window manager draws it, is
    centred on the screen within a pixel, and the window's class is the
    desktop entry's StartupWMClass;
  * after start-up: the client area is 254 x 359, the sixteen card backs
    stand on the grid exactly as Card.bmp (first row (158, 134, 187)), and
    the captions match the same window drawn offscreen with a Japanese face
    (x11_reference), with no missing-glyph boxes among them;
  * after a click on the start button: the cards are dealt back onto the
    grid and the clock runs;
  * after Shift+Tab and Left on the keyboard: the focus mark rings card 14
    in the gaps around it, and no card changed a pixel;
  * after a click on a card: it turns open and the controller rumbles, and
    the mark is gone;
  * Shift+F10 opens the window's menu and Enter its first entry, the
    settings dialog; Escape closes it, the cards unchanged and no settings
    file written;
  * a click on the quit button ends the program cleanly.

Only the standard library, Xvfb, openbox, xdotool, xwininfo, xprop and
ImageMagick are used.

usage: x11_window.py PROGRAM REFERENCE_TOOL OUT_DIR
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

DESKTOP_ENTRY = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets",
                             "io.github.pelnori.Pelnori.desktop")
SCREEN = (1024, 768)
CLIENT = (254, 359)
BACK_FIRST_ROW = (158, 134, 187)
# Widgets in client pixels: x, y, width, height.
CAPTIONS = {
    "Label1": (4, 60, 53, 17),
    "Label2": (100, 60, 57, 13),
    "cmbRead_IFR": (164, 32, 89, 21),
    "btnStart": (32, 328, 105, 25),
    "Command1": (148, 328, 105, 25),
    "txtNokori": (56, 56, 25, 18),
}
TIME_BOX = (160, 56, 37, 18)
# The part of a card picture inside the card's 2 px sunken border.
CARD_INNER = (57, 53)


class Failure(Exception):
    pass


def card_origin(i):
    """Client pixel where card i's picture starts (inside its border)."""
    return 64 * (i % 4) + 2, 80 + 60 * (i // 4) + 2


class Image:
    """An RGB picture read through ImageMagick."""

    def __init__(self, path):
        size = subprocess.run(["convert", path, "-format", "%w %h", "info:"], check=True,
                              capture_output=True, text=True).stdout.split()
        self.width, self.height = int(size[0]), int(size[1])
        self.data = subprocess.run(["convert", path, "-alpha", "off", "-depth", "8", "rgb:-"], check=True,
                                   capture_output=True).stdout
        if len(self.data) != self.width * self.height * 3:
            raise Failure(f"{path}: unexpected pixel data")

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def region(self, x, y, w, h):
        return [self.pixel(x + dx, y + dy) for dy in range(h) for dx in range(w)]


def differences(a, ax, ay, b, bx, by, w, h):
    """Pixels that differ between two regions of the same size, as (x, y, a, b)."""
    out = []
    for dy in range(h):
        for dx in range(w):
            pa, pb = a.pixel(ax + dx, ay + dy), b.pixel(bx + dx, by + dy)
            if pa != pb:
                out.append((dx, dy, pa, pb))
    return out


def missing_glyph_boxes(image, x, y, w, h):
    """Where the region shows missing-glyph boxes: hollow rectangles, found as
    the empty rectangles they enclose (narrower than tall, at least 5 px tall,
    ringed by ink), so that boxes standing side by side are found too."""
    # Mostly background, even on a button's gradient: its middle brightness.
    level = sorted(sum(p) / 3 for p in image.region(x, y, w, h))[w * h // 2]
    # Antialiased edges count as ink: a box's sides often fall between pixels.
    ink = {(dx, dy) for dy in range(h) for dx in range(w)
           if level - sum(image.pixel(x + dx, y + dy)) / 3 > 60}
    boxes = []
    seen = set()
    for start in ((dx, dy) for dy in range(h) for dx in range(w)):
        if start in ink or start in seen:
            continue
        hole, todo, open_edge = [], [start], False
        seen.add(start)
        while todo:
            px, py = todo.pop()
            hole.append((px, py))
            for n in ((px + 1, py), (px - 1, py), (px, py + 1), (px, py - 1)):
                if not (0 <= n[0] < w and 0 <= n[1] < h):
                    open_edge = True
                elif n not in ink and n not in seen:
                    seen.add(n)
                    todo.append(n)
        if open_edge:
            continue
        xs, ys = [p[0] for p in hole], [p[1] for p in hole]
        left, right, top, bottom = min(xs), max(xs), min(ys), max(ys)
        width, height = right - left + 1, bottom - top + 1
        if len(hole) == width * height and height >= 5 and height > width:
            boxes.append((left - 1, top - 1, width + 2, height + 2))
    return sorted(boxes)


def end(*processes):
    """Ends each process still running: asked first, then killed."""
    for process in processes:
        if process and process.poll() is None:
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


class Session:
    """Xvfb, the program and the screenshots of one run."""

    language = "ja"  # the program's, whatever the machine's

    def __init__(self, program, out_dir):
        self.program = program
        self.out = out_dir
        self.xvfb = None
        self.wm = None
        self.app = None
        self.display = None
        self.window = None
        self.origin = (0, 0)
        self.work = tempfile.mkdtemp(prefix="pelnori-x11-")
        self.rumble_log = os.path.join(self.work, "rumble.log")

    # -- processes ----------------------------------------------------------

    def start_xvfb(self):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24", "-dpi", "96",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=open(os.path.join(self.work, "xvfb.log"), "w"))
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise Failure("Xvfb did not start")
        self.display = ":" + number

    def start_window_manager(self):
        self.wm = subprocess.Popen(["openbox"], env=self.env(), stdout=subprocess.DEVNULL,
                                   stderr=open(os.path.join(self.work, "openbox.log"), "w"))
        deadline = time.monotonic() + 20
        while "window id #" not in self.x("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"):
            if time.monotonic() > deadline or self.wm.poll() is not None:
                raise Failure("openbox did not start")
            time.sleep(0.1)

    def env(self):
        env = dict(os.environ)
        env.update({
            "DISPLAY": self.display,
            # A Wayland session with XWayland: the program must choose X11
            # by itself, so no platform is named.
            "WAYLAND_DISPLAY": "wayland-pelnori-test",
            "XDG_RUNTIME_DIR": self.work,
            "PELNORI_TEST_RUMBLE_LOG": self.rumble_log,
            "SDL_AUDIODRIVER": "dummy",
            # Only the virtual controller: no devices of the machine.
            "SDL_JOYSTICK_HIDAPI": "0",
            "SDL_JOYSTICK_DISABLE_UDEV": "1",
            # Settings the program might keep stay in the run's own folder.
            "XDG_CONFIG_HOME": os.path.join(self.work, "config"),
        })
        env.pop("SESSION_MANAGER", None)
        env.pop("QT_QPA_PLATFORM", None)
        return env

    def start_program(self):
        env = dict(self.env(), LANGUAGE=self.language)
        self.app = subprocess.Popen([self.program], cwd=self.work, env=env,
                                    stdout=open(os.path.join(self.work, "program.out"), "w"),
                                    stderr=open(os.path.join(self.work, "program.err"), "w"))

    def program_output(self):
        with open(os.path.join(self.work, "program.err"), errors="replace") as err:
            return err.read()[-4000:]

    def x(self, *command):
        return subprocess.run(list(command), env=self.env(), check=True, capture_output=True, text=True).stdout

    def stop(self):
        end(self.app, self.wm, self.xvfb)
        shutil.rmtree(self.work, ignore_errors=True)

    # -- the window ---------------------------------------------------------

    def geometry(self, window):
        info = {}
        for line in self.x("xwininfo", "-id", window).splitlines():
            key, _, value = line.strip().partition(":")
            info[key] = value.strip()
        return (int(info["Absolute upper-left X"]), int(info["Absolute upper-left Y"]),
                int(info["Width"]), int(info["Height"]), info.get("Map State"))

    def frame(self):
        """The window's outer rectangle as the window manager frames it."""
        x, y, w, h, _ = self.geometry(self.window)
        extents = self.x("xprop", "-id", self.window, "_NET_FRAME_EXTENTS").partition("=")[2]
        if not extents:
            raise Failure("the window manager gave the window no frame")
        left, right, top, bottom = (int(v) for v in extents.split(","))
        return x - left, y - top, w + left + right, h + top + bottom

    def wait_for_window(self, timeout):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.app.poll() is not None:
                raise Failure(f"the program ended with {self.app.returncode} before its window appeared:\n"
                              + self.program_output())
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Pelnori$"], env=self.env(),
                                   capture_output=True, text=True).stdout.split()
            for window in found:
                x, y, w, h, state = self.geometry(window)
                if state == "IsViewable" and (w, h) == CLIENT:
                    self.window = window
                    return
                if state == "IsViewable":
                    self.shoot("unexpected.png")
                    raise Failure(f"a window of {w} x {h} appeared instead (a message box?); see unexpected.png")
            time.sleep(0.2)
        raise Failure("no window within %d s:\n%s" % (timeout, self.program_output()))

    def settle(self):
        """Waits until the window stops moving (the activation shake)."""
        last = None
        for _ in range(50):
            now = self.geometry(self.window)
            if now == last:
                break
            last = now
            time.sleep(0.3)
        x, y, w, h, _ = last
        if (w, h) != CLIENT:
            raise Failure(f"client area {w} x {h}, expected {CLIENT[0]} x {CLIENT[1]}")
        self.origin = (x, y)

    def shoot(self, name):
        path = os.path.join(self.out, name)
        self.x("import", "-display", self.display, "-window", "root", path)
        return path

    def client_shot(self, name):
        """A screenshot, and the window's client area cut out of it."""
        full = self.shoot("full-" + name)
        path = os.path.join(self.out, name)
        ox, oy = self.origin
        subprocess.run(["convert", full, "-crop", f"{CLIENT[0]}x{CLIENT[1]}+{ox}+{oy}", "+repage", path], check=True)
        os.remove(full)
        return Image(path)

    def wait_for_end(self, after):
        """The program ends cleanly, with 0, after `after`."""
        try:
            code = self.app.wait(timeout=30)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program did not end after {after}")
        if code != 0:
            raise Failure(f"the program ended with {code}:\n" + self.program_output())
        print("quit: the program ended with 0")

    def click(self, x, y):
        ox, oy = self.origin
        self.x("xdotool", "mousemove", "--sync", str(ox + x), str(oy + y), "click", "1")


def check_cards(shot, pictures, where):
    """Each card shows its picture, unscaled, at its grid place."""
    w, h = CARD_INNER
    for i in range(16):
        picture = pictures[i]
        cx, cy = card_origin(i)
        row = shot.region(cx, cy, w, 1)
        if picture.pixel(0, 0) == BACK_FIRST_ROW and any(p != BACK_FIRST_ROW for p in row):
            raise Failure(f"{where}: card {i}'s first row is not {BACK_FIRST_ROW}: {row[:3]} …")
        wrong = differences(shot, cx, cy, picture, 0, 0, w, h)
        if wrong:
            dx, dy, got, want = wrong[0]
            raise Failure(f"{where}: card {i} differs from its picture in {len(wrong)} pixels, "
                          f"first at ({cx + dx}, {cy + dy}): {got} instead of {want}")


def viewable(session, window):
    """Whether the window is there and shown; a window gone is not."""
    info = subprocess.run(["xwininfo", "-id", window], env=session.env(), capture_output=True, text=True)
    return info.returncode == 0 and "IsViewable" in info.stdout


def has_ink(shot, box):
    x, y, w, h = box
    return any(sum(p) < 3 * 100 for p in shot.region(x, y, w, h))


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    program, reference_tool, out_dir = (os.path.abspath(a) for a in sys.argv[1:])
    os.makedirs(out_dir, exist_ok=True)
    folder = os.path.dirname(program)
    back = Image(os.path.join(folder, "Card.bmp"))
    opened = Image(os.path.join(folder, "Cardopen.bmp"))
    if back.region(0, 0, back.width, 1) != [BACK_FIRST_ROW] * back.width:
        raise Failure(f"Card.bmp's first row is not {BACK_FIRST_ROW}")

    # The reference: the same window drawn offscreen.
    reference_path = os.path.join(out_dir, "reference.png")
    made = subprocess.run([reference_tool, reference_path, folder], capture_output=True, text=True,
                          env=dict(os.environ, QT_QPA_PLATFORM="offscreen", LANGUAGE="ja"))
    if made.returncode != 0:
        raise Failure("no reference picture: " + made.stderr + made.stdout)
    reference = Image(reference_path)
    print("faces: " + ", ".join(made.stdout.split("\n")).strip(", "))

    session = Session(program, out_dir)
    try:
        session.start_xvfb()
        session.start_window_manager()
        session.start_program()
        session.wait_for_window(90)
        time.sleep(1.0)
        session.settle()

        fx, fy, fw, fh = session.frame()
        off = (fx - (SCREEN[0] - fw) / 2, fy - (SCREEN[1] - fh) / 2)
        if fw == CLIENT[0] or fh == CLIENT[1] or max(abs(d) for d in off) > 1:
            raise Failure(f"the frame {fw} x {fh} stands at ({fx}, {fy}), {off} from the centre of the screen")
        print(f"centring: the frame {fw} x {fh} stands at ({fx}, {fy}), {off} from the centre")

        # A dock finds the window's desktop entry by its class.
        wm_class = session.x("xprop", "-id", session.window, "WM_CLASS").partition("=")[2].strip()
        with open(DESKTOP_ENTRY, encoding="utf-8") as entry:
            wanted = [line.split("=", 1)[1].strip() for line in entry if line.startswith("StartupWMClass=")]
        if not wanted or not wm_class.endswith(f'"{wanted[0]}"'):
            raise Failure(f"the window's class {wm_class} is not the desktop entry's StartupWMClass {wanted}")

        shot = startup = session.client_shot("1-startup.png")
        check_cards(shot, [back] * 16, "after start-up")
        for name, (x, y, w, h) in CAPTIONS.items():
            if not has_ink(shot, (x, y, w, h)):
                raise Failure(f"after start-up: {name} shows no text")
            boxes = missing_glyph_boxes(shot, x, y, w, h)
            if boxes:
                raise Failure(f"after start-up: {name} shows missing-glyph boxes at {boxes}")
            wrong = differences(shot, x, y, reference, x, y, w, h)
            if wrong:
                raise Failure(f"after start-up: {name} differs from the offscreen reference in {len(wrong)} "
                              f"of {w * h} pixels")
        print("start-up: 254 x 359, sixteen card backs on the grid, captions as the reference")

        # A game: the cards gather, are dealt back and the clock starts.
        bx, by, bw, bh = CAPTIONS["btnStart"]
        session.click(bx + bw // 2, by + bh // 2)
        deadline = time.monotonic() + 60
        while True:
            shot = session.client_shot("2-game.png")
            if has_ink(shot, TIME_BOX):
                break
            if time.monotonic() > deadline:
                raise Failure("the clock did not start within 60 s of the start button")
            if session.app.poll() is not None:
                raise Failure("the program ended during the start:\n" + session.program_output())
            time.sleep(0.25)
        check_cards(shot, [back] * 16, "after the start")
        print("game: the cards are back on the grid and the clock runs")

        # The keyboard: back from the start button to the last card, one left.
        session.x("xdotool", "key", "--delay", "100", "shift+Tab", "Left")
        time.sleep(0.5)
        shot = session.client_shot("3-keys.png")
        check_cards(shot, [back] * 16, "after the keys")
        marked = [(158, 258), (190, 288), (158, 318)]  # above, right of and below card 14
        if any(shot.pixel(x, y) != (0, 0, 0) for x, y in marked):
            raise Failure(f"after the keys: no black focus mark around card 14: {[shot.pixel(x, y) for x, y in marked]}")
        print("keys: the focus mark rings card 14, the cards unchanged")
        background = startup.pixel(*marked[0])

        # A card: it turns open and the controller rumbles.
        card = 5
        cx, cy = card_origin(card)
        session.click(cx + 28, cy + 26)
        deadline = time.monotonic() + 10
        while not (os.path.exists(session.rumble_log) and os.path.getsize(session.rumble_log) > 0):
            if time.monotonic() > deadline:
                raise Failure("no rumble reached the virtual controller after a card click")
            time.sleep(0.1)
        time.sleep(0.3)
        shot = session.client_shot("4-card.png")
        check_cards(shot, [opened if i == card else back for i in range(16)], "after a card click")
        if shot.pixel(*marked[0]) != background:
            raise Failure("the focus mark stays after a mouse click")
        with open(session.rumble_log) as log:
            commands = log.read().split("\n")
        print(f"card: card {card} turned open, {len(commands) - 1} rumble commands reached the controller")

        # The menu and the settings dialog, by the keys alone.
        session.x("xdotool", "key", "--delay", "200", "shift+F10", "Return")
        deadline = time.monotonic() + 20
        dialog = None
        while not dialog:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^設定$"], env=session.env(),
                                   capture_output=True, text=True).stdout.split()
            dialog = next((d for d in found if viewable(session, d)), None)
            if not dialog and time.monotonic() > deadline:
                session.shoot("no-dialog.png")
                raise Failure("Shift+F10 and Enter did not open the settings dialog; see no-dialog.png")
            time.sleep(0.2)
        session.shoot("5-settings.png")
        session.x("xdotool", "key", "Escape")
        deadline = time.monotonic() + 20
        while viewable(session, dialog):
            if time.monotonic() > deadline:
                raise Failure("Escape did not close the settings dialog")
            time.sleep(0.2)
        time.sleep(0.3)
        after = session.client_shot("6-after-settings.png")
        check_cards(after, [opened if i == card else back for i in range(16)], "after the settings dialog")
        if os.path.exists(os.path.join(session.work, "config", "pelnori")):
            raise Failure("a cancelled settings dialog wrote settings")
        print("settings: Shift+F10 and Enter opened the dialog, Escape closed it, nothing changed or kept")

        # Quit.
        qx, qy, qw, qh = CAPTIONS["Command1"]
        session.click(qx + qw // 2, qy + qh // 2)
        session.wait_for_end("the quit button")
        with open(os.path.join(session.work, "program.err"), errors="replace") as err:
            tried_wayland = "wayland" in err.read().lower()
        if tried_wayland:
            raise Failure("the program tried Wayland first:\n" + session.program_output())
        print("platform: X11 chosen beside WAYLAND_DISPLAY, Wayland never tried")
    finally:
        session.stop()
    print("screenshots in " + out_dir)
    return 0


def run(main):
    """Runs a test's main function: a Failure is reported and fails the run."""
    try:
        sys.exit(main())
    except Failure as failure:
        print("FAIL: " + str(failure))
        sys.exit(1)


if __name__ == "__main__":
    run(main)
