#!/usr/bin/python3
"""Runs the real editor under the Orca screen reader and checks what Orca would say.

Usage: orca_speech_test.py QARN PATHSET

Starts its own X server, session bus and accessibility bus, speech-dispatcher with a null sound
output and Orca writing its debug file, then types keys into the editor as a user does and waits
for the sentences a user must hear. Exits 77 (skipped) with the reason where Orca cannot start.
"""
import json
import os
import pty
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import tty

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import atspi_names_test as bus_test  # noqa: E402  (the X server and bus helpers)

SKIP = 77
SPEECHD_CONF = "/etc/speech-dispatcher/speechd.conf"


def skip(reason):
    print("SKIPPED: " + reason)
    sys.exit(SKIP)


class Speech:
    """What Orca has said so far. Orca writes its debug file through a buffer; given a terminal it
    writes each line at once, so the file is the far end of a pseudo-terminal read here."""

    PREFIX = "SPEECH OUTPUT: '"

    def __init__(self):
        self.master, slave = pty.openpty()
        tty.setraw(slave)  # lines as written, no carriage returns added
        self.path = os.ttyname(slave)
        self.slave = slave
        self.said = []
        self.seen = 0  # sentences already matched or passed over
        self.lock = threading.Lock()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        pending = b""
        while True:
            try:
                chunk = os.read(self.master, 65536)
            except OSError:
                return
            if not chunk:
                return
            *lines, pending = (pending + chunk).split(b"\n")
            with self.lock:
                if os.environ.get("QARN_ORCA_LOG"):  # Orca's whole account, for a person
                    with open(os.environ["QARN_ORCA_LOG"], "ab") as log:
                        log.write(b"\n".join(lines) + b"\n")
                for line in lines:
                    text = line.decode(errors="replace")
                    if self.PREFIX in text:
                        # The sentence, then Orca's notes on it ("{'established': False}").
                        self.said.append(text.split(self.PREFIX, 1)[1].split("'{", 1)[0])

    def wait_for(self, wanted, seconds=10):
        """The first sentence after the last one matched that holds every part of `wanted`, or
        that is `wanted` when that is one string (its final full stop left aside)."""
        deadline = time.time() + seconds
        while time.time() < deadline:
            with self.lock:
                for index in range(self.seen, len(self.said)):
                    sentence = self.said[index]
                    if (sentence.rstrip(".") == wanted if isinstance(wanted, str)
                            else all(part in sentence for part in wanted)):
                        self.seen = index + 1
                        return self.said[index]
            time.sleep(0.05)
        return None

    def recent(self):
        with self.lock:
            return self.said[self.seen:][-12:]


def private_speech_settings(home):
    """speech-dispatcher sending its sound to libao's null output: no sound card needed."""
    config = os.path.join(home, "config")
    os.makedirs(os.path.join(config, "speech-dispatcher"))
    with open(SPEECHD_CONF) as system, \
            open(os.path.join(config, "speech-dispatcher", "speechd.conf"), "w") as own:
        own.write(system.read() + '\nAudioOutputMethod "libao"\n')
    with open(os.path.join(home, ".libao"), "w") as libao:
        libao.write("default_driver=null\n")
    # Orca's "Speak child position" preference, off until a user turns it on: a list row is
    # then followed by its place in the list ("2 of 6").
    orca = os.path.join(home, "data", "orca")
    os.makedirs(orca)
    profile = {"profile": ["Default", "default"], "enablePositionSpeaking": True}
    with open(os.path.join(orca, "user-settings.conf"), "w") as settings:
        json.dump({"general": dict(profile, startingProfile=profile["profile"]),
                   "profiles": {"default": profile}, "pronunciations": {}, "keybindings": {}},
                  settings)
    return dict(os.environ, HOME=home, XDG_CONFIG_HOME=config,
                XDG_DATA_HOME=os.path.join(home, "data"),
                XDG_RUNTIME_DIR=home)


# Key codes in the X server's default key map.
KEYCODES = {"Tab": 23, "Down": 116, "space": 65}
SHIFT_KEYCODE = 50  # Shift_L


def press(pyatspi, key):
    """A key typed through the accessibility bus, as the keyboard would send it."""
    shifted = key.startswith("Shift+")
    if shifted:
        pyatspi.Registry.generateKeyboardEvent(SHIFT_KEYCODE, None, pyatspi.KEY_PRESS)
        time.sleep(0.05)
    code = KEYCODES[key.replace("Shift+", "")]
    pyatspi.Registry.generateKeyboardEvent(code, None, pyatspi.KEY_PRESSRELEASE)
    if shifted:
        pyatspi.Registry.generateKeyboardEvent(SHIFT_KEYCODE, None, pyatspi.KEY_RELEASE)


# Each step: a key the user types (none: what Orca says by itself, or a button's name: the button
# pressed through its action), then the parts one of the next sentences must hold, or the whole
# sentence. The object list's second row in the demo path set is sp_jumptrailer_f.
STEPS = [
    (None, ["QarnForm", "frame"]),
    # The file given at start is shown with its first object, and the object list has the focus.
    (None, ["Objects"]),
    ("Down", ["sp_jumptrailer_f"]),
    (None, "2 of 6"),
    # Shift+Tab goes back to the point list; Down there speaks the next point's row, cell by
    # cell (point 2 of sp_jumptrailer_f is at z -691.25), and stays in the list.
    ("Shift+Tab", ["Points of the selected object"]),
    ("Down", "-700.50"),
    (None, "-691.25"),
    (None, "2 of 10"),
    ("Tab", ["Objects"]),
    ("Tab", ["Map"]),
    ("Tab", ["Load", "push button"]),
    ("Tab", ["Save", "push button"]),
    ("Tab", ["Merge", "push button"]),
    ("Tab", ["Zoom", "combo box"]),
    ("Tab", ["Points", "push button"]),
    ("Tab", ["Type name of the selected object", "combo box"]),
    ("Tab", ["x of point 1", "text"]),
    ("Tab", ["y (height) of point 1"]),
    ("Tab", ["z of point 1", "text"]),
    ("Tab", ["x from point 1 to point 2"]),
    ("Tab", ["y from point 1 to point 2"]),
    ("Tab", ["z from point 1 to point 2"]),
    ("Tab", ["Step of the move buttons"]),
    ("Tab", ["Direction from point 1 to point 2"]),
    ("Tab", ["Flag presets", "combo box"]),
    ("Tab", ["Flag bit 15", "check box", "not checked"]),
    # Space toggles the box, which keeps the focus: Orca says the new state alone.
    ("space", "checked"),
    ("space", "not checked"),
    # A glyph button takes no focus; a screen reader presses it by its action, and the fields
    # the command changed are announced.
    ("Move up on the map by the step", ["notification", "z of point 1"]),
]


def press_button(pyatspi, app, name):
    """Runs the button's first action (its press), as a screen reader's command does."""
    button = pyatspi.findDescendant(app, lambda node: node.name == name
                                    and node.getRoleName() == "push button")
    if button is None:
        return False
    button.queryAction().doAction(0)
    return True


def inner(qarn, pathset):
    try:
        import pyatspi
    except ImportError:
        skip("python3-pyatspi is not installed")
    home = tempfile.mkdtemp(prefix="qarn-orca-")
    env = private_speech_settings(home)
    # Numbers apart from the names test's, which ctest may run at the same time.
    if not os.environ.get("QARN_TEST_DISPLAY"):
        os.environ["QARN_TEST_DISPLAY"] = bus_test.free_display(190)
    server, display = bus_test.start_x_server(tempfile.TemporaryFile())
    env.update(DISPLAY=display)
    started = [server]
    try:
        started.append(subprocess.Popen([bus_test.BUS_LAUNCHER, "--launch-immediately"], env=env,
                                        stderr=subprocess.DEVNULL))
        # Orca speaks only in the active window, and only a window manager makes one active.
        started.append(subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL))
        speech = Speech()
        orca = subprocess.Popen(["orca", "--replace", "--debug-file=" + speech.path], env=env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        started.append(orca)
        # Orca greets once it listens (after a few seconds); a window that activated before
        # then would stay unknown to it.
        if speech.wait_for(["Screen reader on"], seconds=30) is None:
            skip("Orca did not start (exit code %s)" % orca.poll())
        editor_env = dict(env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                          QT_ACCESSIBILITY="1", LC_ALL="C.UTF-8")
        editor = subprocess.Popen([qarn, pathset], env=editor_env, stderr=subprocess.DEVNULL)
        started.append(editor)
        app = bus_test.find_application(pyatspi, "qarn", editor)
        if app is None:
            skip("the editor never appeared on the accessibility bus")
        return run_steps(pyatspi, speech, app)
    finally:
        for process in reversed(started):
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
        shutil.rmtree(home, ignore_errors=True)


def run_steps(pyatspi, speech, app):
    failures = 0
    for key, wanted in STEPS:
        if key in KEYCODES or key and key.startswith("Shift+"):
            press(pyatspi, key)
        elif key and not press_button(pyatspi, app, key):
            print("FAILED: no button named %r" % key)
            failures += 1
            continue
        heard = speech.wait_for(wanted)
        if heard is None:
            failures += 1
            print("FAILED: after %s Orca never said %s; it said %s"
                  % (key or "the step before", wanted, speech.recent()))
        else:
            print("%-11s %s" % (key or "(by itself)", heard))
    return 1 if failures else 0


def main():
    bus_test.run_on_private_bus(__file__, inner, ("openbox", "orca", "speech-dispatcher"),
                                timeout=150)

if __name__ == "__main__":
    main()
