#!/usr/bin/python3
"""Wins a whole game of the real program through the accessibility bus (AT-SPI) alone:
buttons pressed by their accessible action, answers set through the editable-text interface,
winnings banked by the pictures' "Bank" action. No mouse, no keyboard.

usage: a11y_play.py BINARY      (inside dbus-run-session, with DISPLAY set)
"""
import os
import subprocess
import sys
import time

import pyatspi

ANSWERS = ["Orvan Quillam", "Bilbo", "81", "Visual Basic", "Holy Grail", "man", "104", "2",
           "Tollen", "Vantry Middle School", "0.65", "Trombone", "Trumpet", "16", "Saturday"]


HERE = os.path.dirname(os.path.realpath(__file__))
# The program under test, whose threads' backtraces a failure saves.
GAME = None


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    save_evidence(message)
    sys.exit(1)


def save_evidence(why):
    """What the shell drivers save when a wait fails (xsession.sh's save_evidence), the
    compositor standing in for the window manager under Wayland."""
    pid = str(GAME.pid) if GAME is not None and GAME.poll() is None else ""
    subprocess.run(["bash", "-c", '. "$1"; GAME_PID=$2 WM_PID=${PRIZEWELL_E2E_WM_PID:-}; '
                    'save_evidence "$3"', "evidence", os.path.join(HERE, "xsession.sh"), pid, why],
                   check=False)


def start(binary, env, **kwargs):
    """Starts the program under test; its stderr is also kept in the session's logs."""
    global GAME
    logs = os.environ.get("SESSION_LOGS")
    debug = os.environ.get("PRIZEWELL_E2E_WAYLAND_DEBUG")
    if logs is not None and debug and "stderr" not in kwargs:
        # On request, the program's whole Wayland conversation, kept for the evidence alone.
        env = dict(env, WAYLAND_DEBUG="client")
        with open(os.path.join(logs, "game.wayland-debug"), "a", encoding="utf-8") as log:
            GAME = subprocess.Popen([binary], env=env, stderr=log, **kwargs)
        return GAME
    if logs is None or "stderr" in kwargs:
        GAME = subprocess.Popen([binary], env=env, **kwargs)
        return GAME
    tee = subprocess.Popen(["tee", "-a", os.path.join(logs, "game.stderr")],
                           stdin=subprocess.PIPE, stdout=sys.stderr)
    GAME = subprocess.Popen([binary], env=env, stderr=tee.stdin, **kwargs)
    tee.stdin.close()
    return GAME


def wait_for(what, probe, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            found = probe()
        except Exception:  # the tree changes under us while windows come and go
            found = None
        if found:
            return found
        time.sleep(0.05)
    fail(f"timed out waiting for {what}")


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Prizewell":
            return app
    return None


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def descendant(acc, pred):
    """The first descendant of acc for which pred holds, or None. Breadth first: pyatspi's
    depth-first search walks the whole tree again for every child, seconds per search here."""
    return pyatspi.findDescendant(acc, pred, breadth_first=True)


# Roles are compared as AT-SPI's enumeration: the text it gives for a role differs between its
# versions ("push button" before 2.52, "button" after).
BUTTON, LABEL, TEXT = pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_LABEL, pyatspi.ROLE_TEXT


def find(app, role, name, window=None):
    """A showing accessible of the role and name, in the window titled `window` if given."""
    for frame in app:
        if frame is None or (window is not None and frame.name != window):
            continue
        if not showing(frame):
            continue
        hit = descendant(frame, lambda a: a is not None and a.getRole() == role
                         and a.name == name and showing(a))
        if hit is not None:
            return hit
    return None


def actions(acc):
    action = acc.queryAction()
    return [action.getName(i) for i in range(action.nActions)]


def do(acc, name):
    action = acc.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == name:
            action.doAction(i)
            return
    fail(f"{acc.name!r} offers no {name!r} action, only {actions(acc)}")


def press(app, name, window="Prizewell"):
    do(wait_for(f"button {name!r}", lambda: find(app, BUTTON, name, window)), "Press")


def enabled(app, name):
    button = find(app, BUTTON, name)
    return button is not None and button.getState().contains(pyatspi.STATE_ENABLED)


def state(app):
    """Every control's role, name, and whether it is on view and enabled."""
    return [(a.getRole(), a.name, showing(a), a.getState().contains(pyatspi.STATE_ENABLED))
            for a in pyatspi.findAllDescendants(app, lambda a: a is not None)]


def press_hidden(app, name):
    """Presses a button that is not on view, as any client of the bus can: nothing may change.
    A pressed button clicks a moment later, so the check waits that moment out."""
    button = descendant(
        app, lambda a: a is not None and a.getRole() == BUTTON and a.name == name)
    if button is None or showing(button):
        fail(f"button {name!r} should be there but not on view")
    before = state(app)
    do(button, "Press")
    time.sleep(0.5)
    if state(app) != before:
        fail(f"pressing the hidden {name!r} changed the game")


def run_to_quit(binary, env, play):
    """Starts the program, lets play(app) take it to a Quit, and checks that the program then
    ended with status 0."""
    game = start(binary, env)
    try:
        play(wait_for("the program on the accessibility bus", application, 20))
        status = game.wait(timeout=10)
        if status != 0:
            fail(f"exit status {status}")
    finally:
        if game.poll() is None:
            game.kill()
            game.wait()


def main():
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    run_to_quit(sys.argv[1], env, play)
    print("won a whole game through AT-SPI; Quit ended the program with status 0")


def play(app):
    press_hidden(app, "Verify")
    press(app, "Start")
    for n, answer in enumerate(ANSWERS, start=1):
        if n == 5:
            press(app, "Ask The Audience")
        if n == 6:
            press_hidden(app, "Ask The Audience")
        box = wait_for("the answer box", lambda: find(app, TEXT, "Put answer here."))
        box.queryEditableText().setTextContents(answer)
        wait_for("the answer to be set", lambda: box.queryText().getText(0, -1) == answer)
        press(app, "Verify")
        ok = wait_for(f"the message box of question {n}",
                      lambda: find(app, BUTTON, "OK"))
        do(ok, "Press")
        wait_for("the message box to close", lambda: find(app, BUTTON, "OK") is None)
        winning = wait_for(
            f"a winning to bank at question {n}",
            lambda: next((a for a in pyatspi.findAllDescendants(
                app, lambda a: a is not None and a.name == "Winning")
                if "Bank" in actions(a)), None))
        do(winning, "Bank")
        if n < 15:
            wait_for("Go on to next question", lambda: enabled(app, "Go on to next question"))
            press(app, "Go on to next question")
            wait_for("Verify", lambda: enabled(app, "Verify"))
    press(app, "Quit", window="Hi Prizewell!")


if __name__ == "__main__":
    main()
