#!/usr/bin/python3
"""Wins a whole game of the real program natively on Wayland, under headless mutter, with real
pointer and key events from mutter's remote-desktop interface. The game's state is read through
the accessibility bus (AT-SPI) only; it is driven through the pointer and keys only.

usage: wayland_play.py BINARY   (inside the session bus that mutter owns, WAYLAND_DISPLAY set)
       wayland_play.py BINARY starts COUNT [fresh-cache]   starts the program COUNT times, each
                                time until its main window takes a key, then kills it; counts
                                the starts that fail, and goes on
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import dbus
import pyatspi

from a11y_play import (ANSWERS, BUTTON, HERE, LABEL, TEXT, descendant, fail, find,
                       run_to_quit, save_evidence, showing, start, wait_for)

BTN_LEFT = 0x110
TAB, RETURN, END, BACKSPACE, SHIFT = 0xFF09, 0xFF0D, 0xFF57, 0xFF08, 0xFFE1

# Control centres in the main window's client area (pixels).
TEXT1 = (300, 220)
VERIFY = (392, 220)
GO_ON = (400, 152)
BARREL = (72, 356)
BACKGROUND = (440, 20)
LIFELINES = {"Phone Vorel": (236, 252), "Choices": (312, 252), "Ask The Audience": (404, 252)}
# Text1's box, which the pointer looks for to find the window.
TEXT1_BOX = (240, 208, 121, 25)
SCREEN = (1280, 800)
CLIENT = (457, 431)

# Which lifeline is used on which question, and the hint it must show.
HINTS = {
    2: ("Phone Vorel", "I never read The Hobbit. Good luck guessing!"),
    3: ("Choices", "There are four choices. The choices are 81,18,16, and 63."),
    5: ("Ask The Audience", "The audience thinks the answer is The Holy Grail."),
}


# The winnings captions after banking questions 1 to 14, from the tests' one copy.
with open(os.path.join(os.path.dirname(os.path.realpath(__file__)), "..", "support",
                       "prizeladder.h"), encoding="utf-8") as ladder:
    PRIZES = re.findall(r'"(Winnings[^"]*)"', ladder.read())


def winning_centre(n):
    return (16, 376) if n == 15 else (32 * (n - 1) + 16, 408)


class Seat:
    """The player's pointer and keyboard, as a remote-desktop session of the compositor."""

    def __init__(self):
        bus = dbus.SessionBus()
        name = "org.gnome.Mutter.RemoteDesktop"
        wait_for("the compositor's remote desktop", lambda: bus.name_has_owner(name), 20)
        manager = bus.get_object(name, "/org/gnome/Mutter/RemoteDesktop")
        path = manager.CreateSession(dbus_interface=name)
        self.session = dbus.Interface(bus.get_object(name, path), name + ".Session")
        self.session.Start()
        self.x = self.y = 0
        # Mutter makes the virtual pointer and keyboard on their first events: make them before
        # the program starts, so that it sees a seat with both from the first.
        self.park()
        self.key(SHIFT)

    def park(self):
        """Pushes the pointer into the top left corner: a known place to move from."""
        self.session.NotifyPointerMotionRelative(-10000.0, -10000.0)
        self.x = self.y = 0

    def move(self, x, y):
        self.session.NotifyPointerMotionRelative(float(x - self.x), float(y - self.y))
        self.x, self.y = x, y

    def button(self, down):
        self.session.NotifyPointerButton(dbus.Int32(BTN_LEFT), down)

    def click(self, x, y):
        self.move(x, y)
        self.button(True)
        self.button(False)

    def key(self, keysym):
        self.session.NotifyKeyboardKeysym(dbus.UInt32(keysym), True)
        self.session.NotifyKeyboardKeysym(dbus.UInt32(keysym), False)

    def type(self, text):
        for ch in text:
            self.key(ord(ch))

    def stop(self):
        self.session.Stop()


def text_of(acc):
    return acc.queryText().getText(0, -1)


def focused(acc):
    return acc.getState().contains(pyatspi.STATE_FOCUSED)


class Window:
    """Finds the main window on the screen with the pointer. The compositor places it and
    nothing tells the program where, so the pointer looks for the answer box: a press there
    focuses it. Each probe ends by walking the focus chain with Tab, one marker letter after each
    Tab; exactly one letter lands in the answer box, and which one tells where the press put the
    focus. So every probe has an answer to wait for, hit or miss."""

    def __init__(self, seat, text1, controls):
        self.seat = seat
        self.text1 = text1
        self.focusable = [a for a in controls if showing(a)
                          and a.getState().contains(pyatspi.STATE_FOCUSABLE)]
        self.probes = 0
        # The focus chain, read by tabbing round it from the answer box.
        self.chain = [text1]
        self.tab_to(text1)
        while True:
            seat.key(TAB)
            now = wait_for("the focus to move", lambda: self.focus_other_than(self.chain[-1]))
            if now == text1:
                break
            self.chain.append(now)

    def focus_other_than(self, acc):
        return next((a for a in self.focusable if a != acc and focused(a)), None)

    def tab_to(self, target):
        for _ in range(len(self.focusable) + 1):
            # None while the focus is still on the hidden "Start".
            current = self.focus_other_than(None)
            if current == target:
                return
            self.seat.key(TAB)
            wait_for("the focus to move", lambda: self.focus_other_than(current))
        fail(f"Tab never reached {target.name!r}")

    def hits_text1(self, x, y):
        """Presses at (x, y), leaves without releasing over what was pressed (no click), and
        tells whether the press landed on the answer box."""
        n = len(self.chain)
        self.tab_to(self.chain[1])
        markers = "abcdefgh" if self.probes % 2 == 0 else "pqrstuvw"
        self.probes += 1
        before = text_of(self.text1)
        self.seat.move(x, y)
        self.seat.button(True)
        self.seat.park()
        self.seat.button(False)
        for i in range(n):
            self.seat.key(TAB)
            self.seat.key(ord(markers[i]))
        landed = wait_for("a marker in the answer box",
                          lambda: text_of(self.text1) if text_of(self.text1) != before else None)
        # Round r lands when the press left the focus r places before the answer box.
        return landed == markers[n - 1]

    def locate(self):
        """The screen position of the client area's top left corner."""
        left, top, width, height = TEXT1_BOX
        xs = range(left + width // 2, SCREEN[0] - CLIENT[0] + left + width, width - 1)
        # Bottom up, so that the answer box is met before the title bar above it could be.
        ys = range(SCREEN[1] - CLIENT[1] + top + height - 1 - height // 2, top - 1, -(height - 1))
        hit = next(((x, y) for y in ys for x in xs if self.hits_text1(x, y)), None)
        if hit is None:
            fail("the pointer found no answer box anywhere on the screen")
        x, y = hit
        lo, hi = x - width, x
        while hi - lo > 1:
            mid = (lo + hi) // 2
            lo, hi = (lo, mid) if self.hits_text1(mid, y) else (mid, hi)
        box_left = hi
        lo, hi = y - height, y
        while hi - lo > 1:
            mid = (lo + hi) // 2
            lo, hi = (lo, mid) if self.hits_text1(x, mid) else (mid, hi)
        return box_left - left, hi - top


def main_window(pid):
    """The main window on view of the program with process id pid, or None."""
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Prizewell" and app.get_process_id() == pid:
            return next((f for f in app if f is not None and f.name == "Prizewell"
                         and showing(f)), None)
    return None


def starts(binary, count, fresh_cache):
    """Starts the program count times, each time until its main window takes a key: Space on
    "Start", which has the focus, must take it away. A Wayland surface is on view, and can have
    the keyboard, only once the program has drawn into it. A start that does not get there
    within 5 s leaves its evidence and counts as failed; the run goes on. With fresh_cache each
    start has a new empty XDG_CACHE_HOME and a font of the player's own in XDG_DATA_HOME, as at
    a first login. Returns the failures."""
    seat = Seat()
    own_font = subprocess.run(["fc-match", "-f", "%{file}", "sans-serif"], capture_output=True,
                              text=True, check=True).stdout
    failed = 0
    for n in range(1, count + 1):
        env = dict(os.environ, QT_QPA_PLATFORM="wayland", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        home = tempfile.mkdtemp() if fresh_cache else None
        if home is not None:
            # A font of the player's own, so that fontconfig scans it and writes its cache.
            os.makedirs(os.path.join(home, "data", "fonts"))
            shutil.copy(own_font, os.path.join(home, "data", "fonts"))
            env.update(XDG_CACHE_HOME=os.path.join(home, "cache"),
                       XDG_DATA_HOME=os.path.join(home, "data"),
                       FONTCONFIG_FILE=os.path.join(HERE, "user-fonts.conf"))
        game = start(binary, env)
        try:
            if not takes_a_key(seat, game.pid, time.monotonic() + 5):
                failed += 1
                save_evidence(f"start {n}: the main window took no key within 5 s")
        finally:
            game.kill()
            game.wait()
            if home is not None:
                shutil.rmtree(home)
    print(f"starts: {count}, failed: {failed}")
    return failed


def takes_a_key(seat, pid, deadline):
    pressed = 0.0
    while time.monotonic() < deadline:
        try:
            form = main_window(pid)
            start_button = form and next((a for a in form if a is not None
                                          and a.name == "Start"), None)
            if start_button is not None:
                if not showing(start_button):
                    return True
                # Again now and then: a key sent before the window had the keyboard is lost.
                if focused(start_button) and time.monotonic() - pressed > 1:
                    seat.key(ord(" "))
                    pressed = time.monotonic()
        except Exception:  # the tree changes under us while the program starts
            pass
        time.sleep(0.05)
    return False


def main():
    binary = sys.argv[1]
    if sys.argv[2:3] == ["starts"]:
        if (len(sys.argv) not in (4, 5) or not sys.argv[3].isdigit() or int(sys.argv[3]) < 1
                or sys.argv[4:] not in ([], ["fresh-cache"])):
            fail("starts: COUNT must be a positive number, then optionally fresh-cache")
        sys.exit(1 if starts(binary, int(sys.argv[3]), sys.argv[4:] == ["fresh-cache"]) else 0)
    seat = Seat()
    env = dict(os.environ, QT_QPA_PLATFORM="wayland", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    run_to_quit(binary, env, lambda app: play(seat, app))
    print("won a whole game on Wayland; Quit ended the program with status 0")
    check_app_id(binary)
    seat.stop()


def play(seat, app):
    form = wait_for("the main window", lambda: next(
        (f for f in app if f is not None and f.name == "Prizewell" and showing(f)), None))
    # The controls, looked up once: walking the tree again on every poll is slow.
    controls = {(a.getRole(), a.name): a for a in form if a is not None}

    def control(role, name):
        if (role, name) not in controls:
            fail(f"the main window has no {role} named {name!r}; it "
                 f"has {sorted((a.getRoleName(), a.name) for a in controls.values())}")
        return controls[role, name]
    start = control(BUTTON, "Start")
    verify = control(BUTTON, "Verify")
    go_on = control(BUTTON, "Go on to next question")
    hint_label = control(LABEL, "")
    winnings_label = control(LABEL, "Winnings:$0")
    winnings = [a for a in form if a is not None and a.name == "Winning"]
    wait_for("Start to have the focus", lambda: focused(start))
    seat.key(ord(" "))
    wait_for("Start to go", lambda: not showing(start))

    text1 = control(TEXT, "Put answer here.")
    window = Window(seat, text1, controls.values())
    ox, oy = window.locate()
    print(f"the compositor put the client area at ({ox}, {oy}); {window.probes} probes found it")

    def at(point):
        return ox + point[0], oy + point[1]

    def message_box():
        return next((f for f in app if f is not None and f.name == "Prizewell" and f != form
                     and showing(f)), None)

    for n, answer in enumerate(ANSWERS, start=1):
        if n in HINTS:
            lifeline, hint = HINTS[n]
            seat.click(*at(LIFELINES[lifeline]))
            wait_for(f"the hint of {lifeline!r}", lambda: hint_label.name == hint)
            if showing(control(BUTTON, lifeline)):
                fail(f"{lifeline!r} still on view after use")
        seat.click(*at(TEXT1))
        wait_for("the answer box to take the focus", lambda: focused(text1))
        seat.key(END)
        for _ in text_of(text1):
            seat.key(BACKSPACE)
        seat.type(answer)
        wait_for(f"answer {n} to be typed", lambda: text_of(text1) == answer)
        seat.click(*at(VERIFY))
        box = wait_for(f"the message box of question {n}", message_box)
        ok = descendant(box, lambda a: a is not None and a.name == "OK")
        if ok is None:
            fail("the message box has no OK")
        wait_for("the message box to take the keyboard", lambda: focused(ok)
                 and box.getState().contains(pyatspi.STATE_ACTIVE))
        # A player reaching for the winning before answering the box: it keeps the keyboard.
        seat.click(*at(BACKGROUND))
        seat.click(*at(winning_centre(n)))
        close = "Return" if n % 2 else "Space"
        seat.key(RETURN if n % 2 else ord(" "))
        wait_for(f"the message box of question {n} to close with {close} after clicks on "
                 "the main window", lambda: not showing(box))

        # The drag as a player makes it: the pointer comes onto the winning, the button goes
        # down, the pointer moves in steps to the barrel, the button comes up.
        x, y = at(winning_centre(n))
        bx, by = at(BARREL)
        # The hand comes from the key back onto the winning over a few frames, as a player's
        # does. Mutter hands a release that no window took (the clicks above, on a window under
        # a modal box) to its own actors at its next frame; a drag pressed before that frame
        # takes the stale release for its drop and is cancelled.
        for d in (8, 6, 4, 2, 0):
            time.sleep(0.02)
            seat.move(x + d, y - d)
        seat.button(True)
        for i in range(1, 11):
            seat.move(x + (bx - x) * i // 10, y + (by - y) * i // 10)
            time.sleep(0.02)
        # A player lets go once the pointer shows that the barrel takes the winning: the game
        # tells the compositor so, and a release that the compositor handles before that
        # cancels the drop. The compositor hands the pointer's moves to its input thread and
        # handles them later, so nothing the driver can ask proves the game has seen them. The
        # driver does as a player does: it rests on the barrel a quarter of a second, moving a
        # little, and waits for the game to answer each time, so that a game running behind
        # gets the time it needs.
        for dx in (2, 0, 2, 0, 2):
            time.sleep(0.05)
            seat.move(bx + dx, by)
            form.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        seat.button(False)
        if n < 15:
            wait_for(f"winning {n} to be banked by the drag",
                     lambda: go_on.getState().contains(pyatspi.STATE_ENABLED)
                     and not any(showing(a) for a in winnings))
            if winnings_label.name != PRIZES[n - 1]:
                fail(f"{winnings_label.name!r} after banking winning {n}")
            seat.click(*at(GO_ON))
            wait_for(f"question {n + 1}", lambda: verify.getState().contains(pyatspi.STATE_ENABLED))
    win_quit = wait_for("the win window", lambda: find(app, BUTTON, "Quit",
                                                       window="Hi Prizewell!"))
    if showing(form):
        fail("the main window is still on view after the win")
    # The win window's only control has the focus; the keyboard presses it.
    wait_for("Quit to have the focus", lambda: focused(win_quit))
    seat.key(ord(" "))


def check_app_id(binary):
    """The window names its desktop entry: libwayland prints the app id the program sends."""
    env = dict(os.environ, QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="client")
    log = os.path.join(os.environ["XDG_RUNTIME_DIR"], "wayland-debug.log")
    with open(log, "w", encoding="utf-8") as out:
        game = start(binary, env, stderr=out)

    def sent():
        with open(log, encoding="utf-8", errors="replace") as requests:
            return requests.read()
    try:
        # The app id goes with the window's first description, before its first ack_configure.
        requests = wait_for("the main window on Wayland", lambda: "ack_configure" in sent()
                            and sent(), 20)
    finally:
        game.kill()
        game.wait()
    app_ids = re.findall(r"set_app_id\((.*)\)", requests)
    if app_ids != ['"io.prizewell.Prizewell"']:
        fail(f"app id sent: {', '.join(app_ids) or 'none'}")
    print("app id io.prizewell.Prizewell")


if __name__ == "__main__":
    main()
