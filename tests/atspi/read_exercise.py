#!/usr/bin/python3
"""A screen reader's view of Velmora 1, through AT-SPI as Orca would use it.

Starts the program on the current X display, finds it on the accessibility bus, presses
"Oefenen met Breuken" through its action, ticks the first theme, presses START, reads
the exercise from the text box's description, then types a wrong answer and waits to be
told, as a screen reader is, that the text box now holds the verdict. Needs a session bus (run it under
dbus-run-session) and the system's python3 with pyatspi.

usage: read_exercise.py PROGRAM WORKDIR
Exit status: 0 when the exercise was read, 1 on failure, 77 when there is no display.
"""
import os
import signal
import subprocess
import sys
import time

TIMEOUT = 20  # seconds for each step
SKIP = 77


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def pump():
    """Lets queued accessibility events reach the client's cache."""
    from gi.repository import GLib
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for(what, probe):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        pump()
        try:
            found = probe()
        except Exception as error:  # the tree changes under us while windows open
            print("  (retrying: %s)" % error)
            found = None
        if found:
            return found
        time.sleep(0.2)
    fail("timed out waiting for " + what)


def find_application(pyatspi, name):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == name:
            return app
    return None


def find(pyatspi, app, roles, name=None, extra=None):
    """The first showing descendant with one of the roles (any when None) and the name."""
    app.clearCache()

    def matches(acc):
        if acc is None or (roles is not None and acc.getRole() not in roles):
            return False
        if name is not None and acc.name != name:
            return False
        states = acc.getState()
        if not states.contains(pyatspi.STATE_SHOWING):
            return False
        return extra is None or extra(acc)

    return pyatspi.findDescendant(app, matches)


def press(acc, wanted):
    action = acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    for i, name in enumerate(names):
        if name.lower() == wanted:
            if not action.doAction(i):
                fail("%s refused %s" % (acc.name, wanted))
            return
    fail("%s offers no %s action, only %s" % (acc.name, wanted, names))


def launch(program, workdir, env):
    """Starts the program; a start that dies at once (the X server busy with another display
    test and refusing the connection) is tried again, twice at most."""
    for attempt in range(3):
        process = subprocess.Popen([program], cwd=workdir, env=env)
        try:
            process.wait(timeout=3)
        except subprocess.TimeoutExpired:
            return process
        print(f"the program stopped at once (status {process.returncode}), start {attempt + 1} of 3")
        time.sleep(1)
    fail("the program does not start")


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    if not os.environ.get("DISPLAY"):
        print("SKIP: no X display")
        return SKIP
    program, workdir = sys.argv[1], sys.argv[2]

    # The whole run may not hang, whatever goes wrong on the bus.
    signal.signal(signal.SIGALRM, lambda *_: fail("no result within two minutes"))
    signal.alarm(120)

    import pyatspi

    env = dict(os.environ)
    env.update({"QT_QPA_PLATFORM": "xcb", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_ACCESSIBILITY": "1"})
    for variable in ("QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR"):
        env.pop(variable, None)
    velmora = launch(program, workdir, env)
    try:
        app = wait_for("the program on the accessibility bus", lambda: find_application(pyatspi, "Velmora 1"))
        print("found application", app.name)

        button = wait_for("Oefenen met Breuken",
                          lambda: find(pyatspi, app, [pyatspi.ROLE_PUSH_BUTTON], "Oefenen met Breuken"))
        press(button, "press")

        def enabled(acc):
            return acc.getState().contains(pyatspi.STATE_ENABLED)

        theme = wait_for("a theme's check box", lambda: find(pyatspi, app, [pyatspi.ROLE_CHECK_BOX], None, enabled))
        print("ticking", theme.name)
        press(theme, "toggle")

        start = wait_for("START enabled", lambda: find(pyatspi, app, [pyatspi.ROLE_PUSH_BUTTON], "START", enabled))
        press(start, "press")

        def exercise():
            box = find(pyatspi, app, None, "Opgave")
            if box is None:
                return None
            text = box.description
            # The setup screen's text gives way to the exercise.
            return text if text and "Kies het juiste" not in text else None

        text = wait_for("the exercise text", exercise)
        print("exercise text:")
        print(text)
        answer = wait_for("the answer field", lambda: find(pyatspi, app, [pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY], None,
                                                                    lambda acc: acc.getState().contains(
                                                                        pyatspi.STATE_FOCUSED)))
        print("answer field:", answer.name)
        if not answer.name:
            fail("the answer field has no name")

        told = []

        def on_description(event):
            if event.source is not None and event.source.name == "Opgave":
                told.append(event.source.description)

        pyatspi.Registry.registerEventListener(on_description, "object:property-change:accessible-description")
        pump()
        answer.queryEditableText().setTextContents("1/97")
        pyatspi.Registry.generateKeyboardEvent(0xFF0D, None, pyatspi.KEY_SYM)  # Return
        verdict = wait_for("the verdict announced", lambda: next((t for t in told if "Jammer" in t or "punt" in t), None))
        print("announced:")
        print(verdict)
        return 0
    finally:
        velmora.terminate()
        try:
            velmora.wait(timeout=10)
        except subprocess.TimeoutExpired:
            velmora.kill()
            velmora.wait()


if __name__ == "__main__":
    sys.exit(main())
