# SPDX-License-Identifier: GPL-3.0-or-later
"""The settings file: read at start, written when the window closes.

A settings file places the window (900 x 650 at 50, 40) and remembers the
last folder; the program is started without PATH and must open that folder
at that size. The window is then closed as a window manager closes it
(WM_DELETE_WINDOW), and the file must hold the folder of this run and the
window's placement.
"""

import configparser
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import atspi_driver as d  # noqa: E402


def window_geometry(window_id):
    result = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window_id],
                            capture_output=True, text=True, timeout=10, check=True)
    values = dict(line.split("=", 1) for line in result.stdout.split())
    return int(values["WIDTH"]), int(values["HEIGHT"])


def close_window(window_id):
    """Asks the window to close, as a window manager's close box does."""
    try:
        from Xlib import X, display, protocol  # noqa: PLC0415
    except ImportError:
        d.skip("python3-xlib is missing")
    screen = display.Display()
    window = screen.create_resource_object("window", int(window_id))
    protocols = screen.intern_atom("WM_PROTOCOLS")
    delete = screen.intern_atom("WM_DELETE_WINDOW")
    event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                         data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(event, event_mask=X.NoEventMask)
    screen.flush()
    screen.close()


def run(executable):
    pyatspi = d.pyatspi
    with d.Session(executable, "settings") as s:
        s.make_file("a.txt", b"a")
        sub = os.path.join(s.folder, "sub")
        os.makedirs(sub)
        with open(os.path.join(sub, "b.txt"), "wb") as stream:
            stream.write(b"b")
        settings_path = os.path.join(s.config, "NorvikRename", "norvikrename.ini")
        with open(settings_path, "w", encoding="utf-8") as stream:
            stream.write("[Others]\nRememberLastPath=1\nRememberPosAndSize=1\n"
                         "LastPath=%s/\n[Position]\nX=50\nY=40\nWidth=900\nHeight=650\n"
                         "Maximized=0\n" % s.folder)
        s.start()
        title = s.window.name
        if title != "NorvikRename - [%s/]" % s.folder:
            raise d.TestFailure("the window opened on %r, not on the remembered folder" % title)
        s.wait_list(d.FILE_LIST, ["sub", "a.txt"], d.FILE_COLUMN)
        size = window_geometry(s.window_id)
        if size != (900, 650):
            raise d.TestFailure("the window is %d x %d, not the stored 900 x 650" % size)

        # Into the sub-folder by its path, then close the window.
        path = s.find("Pad", d.ROLE_EDIT)
        s.type_into(path, sub)
        d.key("Return")
        s.wait_list(d.FILE_LIST, ["b.txt"], d.FILE_COLUMN)
        # The first close after typing the path is often dropped (the path's
        # completion list may still hold the keyboard); a user clicks the
        # close box again, and so does the test, before giving up.
        for attempt in range(3):
            close_window(s.window_id)
            try:
                d.wait_for("the program to end", lambda: s.process.poll() is not None, 5)
                break
            except d.TestFailure:
                if attempt == 2:
                    raise
        if s.process.returncode != 0:
            raise d.TestFailure("the program ended with code %d" % s.process.returncode)

        stored = configparser.ConfigParser(strict=False, interpolation=None)
        stored.optionxform = str
        stored.read(settings_path, encoding="utf-8")

        def value(section, key):
            # The program writes text values between double quotes.
            return stored.get(section, key, fallback="").strip().strip('"')

        if value("Others", "LastPath") != sub + "/":
            raise d.TestFailure("LastPath is %r, not the folder of this run"
                                % value("Others", "LastPath"))
        if (value("Position", "Width"), value("Position", "Height")) != ("900", "650"):
            raise d.TestFailure("the stored size is %s x %s" % (
                value("Position", "Width"), value("Position", "Height")))
        if value("Position", "Maximized") != "0":
            raise d.TestFailure("a window that was not maximized is stored as maximized")


if __name__ == "__main__":
    sys.exit(d.main(run))
