#!/usr/bin/python3
"""Reads the running editor through the AT-SPI accessibility bus, as a screen reader does.

Usage: atspi_names_test.py QARN PATHSET

Starts its own X server (Xvfb), session bus and accessibility bus, runs the editor on the path set
and checks that every control showing on the screen has a name, and that both lists report their
rows and their current row. Exits 77 (skipped) with the reason when a piece of the bus is missing.
The X display is $QARN_TEST_DISPLAY when set, else the first free one from :90 on.
"""
import os
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import time

SKIP = 77
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


def skip(reason):
    print("SKIPPED: " + reason)
    sys.exit(SKIP)


def start_x_server(log):
    """An X server of the test's own: on $QARN_TEST_DISPLAY, else on the first free number."""
    # No reset when the last client leaves: the test's probes are clients too.
    arguments = ["-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"]
    display = os.environ.get("QARN_TEST_DISPLAY") or free_display()
    server = subprocess.Popen(["Xvfb", display] + arguments, stderr=log)
    deadline = time.time() + 20
    while not accepts_clients(display) and time.time() < deadline:
        time.sleep(0.2)
    if not accepts_clients(display):
        server.kill()
        server.wait()
        log.seek(0)
        skip("no X server on %s: %s" % (display, log.read().decode(errors="replace")[-500:]))
    return server, display


def free_display(first=90):
    """The first display number with neither a lock file nor a socket. (Xvfb's -displayfd
    picks one itself, but on some machines it then dies writing the number a second time.)"""
    for number in range(first, 400):
        if not any(os.path.exists(path % number)
                   for path in ("/tmp/.X%d-lock", "/tmp/.X11-unix/X%d")):
            return ":%d" % number
    skip("no free X display number between :%d and :399" % first)


def accepts_clients(display):
    """Whether the server completes a client's connection setup: its socket exists before that."""
    path = "/tmp/.X11-unix/X" + display.lstrip(":")
    try:
        with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as client:
            client.settimeout(2)
            client.connect(path)
            # Little-endian setup request, protocol 11.0, no authorisation.
            client.sendall(struct.pack("<cxHHHHxx", b"l", 11, 0, 0, 0))
            return client.recv(1) == b"\x01"
    except OSError:
        return False


def find_application(pyatspi, name, process, seconds=30):
    deadline = time.time() + seconds
    while time.time() < deadline and process.poll() is None:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name and app.childCount > 0:
                return app
        time.sleep(0.5)
    return None


def walk(node, found):
    """Every showing accessible below node; the cells of a table are the table's own matter."""
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        states = child.getState()
        if not states.contains(STATE_SHOWING):
            continue
        found.append(child)
        if child.getRoleName() not in ("table", "tree table", "list"):
            walk(child, found)


def check(app):
    failures = []
    controls = []
    for window in [app.getChildAtIndex(i) for i in range(app.childCount)]:
        controls.append(window)
        walk(window, controls)
    unnamed = [c for c in controls if not (c.name or "").strip()]
    print("%d controls showing, %d without a name" % (len(controls), len(unnamed)))
    for control in unnamed:
        failures.append("no name: role %s, parent %s" % (control.getRoleName(),
                                                         control.parent.name if control.parent
                                                         else "-"))
    tables = {c.name: c for c in controls if c.getRoleName() == "table"}
    # After the load the point list shows object 1 of the demo file, whose points are 6.
    for name, rows in (("Objects", 6), ("Points of the selected object", 6)):
        table = tables.get(name)
        if table is None:
            failures.append("no list named %r" % name)
            continue
        info = table.queryTable()
        if info.nRows != rows:
            failures.append("%s reports %d rows, not %d" % (name, info.nRows, rows))
        if list(info.getSelectedRows()) != [0]:
            failures.append("%s reports current rows %s, not [0]" % (name,
                                                                    list(info.getSelectedRows())))
    return failures


def inner(qarn, pathset):
    try:
        import pyatspi
    except ImportError:
        skip("python3-pyatspi is not installed")
    global STATE_SHOWING
    STATE_SHOWING = pyatspi.STATE_SHOWING
    server, display = start_x_server(tempfile.TemporaryFile())
    bus = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], stderr=subprocess.DEVNULL)
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    editor_log = tempfile.TemporaryFile()
    editor = subprocess.Popen([qarn, pathset], env=env, stderr=editor_log)
    try:
        try:
            pyatspi.Registry.getDesktop(0).childCount
        except Exception as error:  # the bus itself is not there
            skip("the accessibility bus does not answer: %s" % error)
        app = find_application(pyatspi, "qarn", editor)
        if app is None:
            editor_log.seek(0)
            said = editor_log.read().decode(errors="replace")
            if "could not connect to display" in said:
                skip("the editor could not reach the X server on %s" % display)
            print("FAILED: the editor never appeared on the accessibility bus (exit code %s)\n%s"
                  % (editor.poll(), said[-2000:]))
            return 1
        failures = check(app)
        for failure in failures:
            print("FAILED: " + failure)
        return 1 if failures else 0
    finally:
        for process in (editor, server, bus):
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()


def run_on_private_bus(script, inner_main, tools, timeout):
    """Runs `inner_main(qarn, pathset)` of `script` again inside a session bus of its own, so the
    test never talks to a desktop that happens to run; skips where a tool is missing."""
    if len(sys.argv) == 4 and sys.argv[1] == "--inner":
        sys.exit(inner_main(sys.argv[2], sys.argv[3]))
    if len(sys.argv) != 3:
        print(sys.modules["__main__"].__doc__)
        sys.exit(2)
    for tool in ("Xvfb", "dbus-run-session") + tuple(tools):
        if shutil.which(tool) is None:
            skip("%s is not installed" % tool)
    if not os.path.exists(BUS_LAUNCHER):
        skip("at-spi2-core is not installed")
    result = subprocess.run(["dbus-run-session", "--", sys.executable, os.path.abspath(script),
                             "--inner", sys.argv[1], sys.argv[2]], timeout=timeout)
    sys.exit(result.returncode)


def main():
    run_on_private_bus(__file__, inner, (), timeout=120)

if __name__ == "__main__":
    main()
