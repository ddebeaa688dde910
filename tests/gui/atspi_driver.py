# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives the real NorvikRename window through the accessibility bus.

The black-box tests run inside tests/gui/gui-stack (a private X server, D-Bus
session and accessibility bus). They start the program, find its controls by
their accessible names, press and type like a user (xdotool), read the cells
of the lists through their table interface, and check the files on disk.

A missing tool (pyatspi, xdotool, a display) makes a test skip with exit
code 77; only a wrong behaviour of the program makes it fail.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback

SKIP = 77
PROGRAM_CAPTION = "NorvikRename"
FILE_LIST = "Bestandenlijst"
FILE_COLUMN = "Bestand"
PREVIEW_LIST = "Voorbeeldvenster"
TOOLBAR = "Werkbalk"
DEFAULT_TIMEOUT = 20.0
POLL = 0.05

try:
    import pyatspi
except ImportError:  # pragma: no cover - depends on the machine
    pyatspi = None


class TestFailure(Exception):
    """A behaviour of the program that the test did not expect."""


def skip(reason):
    print("SKIP: " + reason)
    sys.exit(SKIP)


def require_tools():
    """Skips the test when the machine cannot drive a window."""
    if pyatspi is None:
        skip("python3-pyatspi is not installed")
    if shutil.which("xdotool") is None:
        skip("xdotool is not installed")
    if not os.environ.get("DISPLAY"):
        skip("no DISPLAY: run the test under tests/gui/gui-stack")


def wait_for(what, probe, timeout=DEFAULT_TIMEOUT):
    """Polls probe() until it returns a true value; returns that value.

    Accessibility objects can vanish while they are read (a dialog closes, a
    list is rebuilt); such errors count as "not yet".
    """
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = probe()
            # An accessible object without children is false in Python:
            # only None, False and empty texts mean "not yet".
            if not (value is None or value is False or
                    (isinstance(value, (str, list)) and not value)):
                return value
        except Exception as error:  # noqa: BLE001 - the bus reports many kinds
            last_error = error
        if time.monotonic() > deadline:
            detail = " (last error: %s)" % last_error if last_error else ""
            raise TestFailure("timed out after %.0f s waiting for %s%s" % (timeout, what, detail))
        time.sleep(POLL)


# ---------------------------------------------------------------------------
# The accessibility tree

# Below these the tree has one object per row or item: they are read through
# their table interface, never searched.
_LEAF_ROLES = set()
ROLE_EDIT = set()
if pyatspi is not None:
    # A line edit: Qt names it an entry or a text, by version.
    ROLE_EDIT = {pyatspi.ROLE_ENTRY, pyatspi.ROLE_TEXT}
    _LEAF_ROLES = {
        pyatspi.ROLE_TABLE,
        pyatspi.ROLE_TREE_TABLE,
        pyatspi.ROLE_TREE,
        pyatspi.ROLE_LIST,
        pyatspi.ROLE_LIST_BOX,
    }


def role_of(acc):
    return acc.getRole()


def has_state(acc, state):
    return acc.getState().contains(state)


def is_showing(acc):
    return has_state(acc, pyatspi.STATE_SHOWING)


def find_all(root, predicate, max_depth=40, leave_out=None):
    """Every object below root for which predicate holds, breadth first;
    lists and tables are not entered, nor what leave_out(acc) names."""
    found = []
    queue = [(root, 0)]
    while queue:
        acc, depth = queue.pop(0)
        try:
            if acc is not root and leave_out is not None and leave_out(acc):
                continue
            if acc is not root and predicate(acc):
                found.append(acc)
            if acc is not root and role_of(acc) in _LEAF_ROLES:
                continue
            if depth >= max_depth:
                continue
            for index in range(acc.childCount):
                child = acc.getChildAtIndex(index)
                if child is not None:
                    queue.append((child, depth + 1))
        except Exception:  # noqa: BLE001 - an object went away while it was read
            continue
    return found


def matcher(name=None, role=None, showing=True, prefix=False):
    def predicate(acc):
        if role is not None:
            roles = role if isinstance(role, (set, frozenset)) else {role}
            if role_of(acc) not in roles:
                return False
        if name is not None:
            text = acc.name or ""
            if prefix:
                if not text.startswith(name):
                    return False
            elif text != name:
                return False
        if showing and not is_showing(acc):
            return False
        return True

    return predicate


def describe(acc):
    try:
        return "%s %r" % (acc.getRoleName(), acc.name)
    except Exception:  # noqa: BLE001
        return "<gone>"


def dump(root, max_depth=12, out=sys.stdout):
    """Prints the tree below root (lists and tables as one line)."""

    def walk(acc, depth):
        try:
            states = []
            if has_state(acc, pyatspi.STATE_FOCUSED):
                states.append("focused")
            if not is_showing(acc):
                states.append("hidden")
            if has_state(acc, pyatspi.STATE_CHECKED):
                states.append("checked")
            if not has_state(acc, pyatspi.STATE_ENABLED):
                states.append("disabled")
            out.write("%s%s %s\n" % ("  " * depth, describe(acc), " ".join(states)))
            if role_of(acc) in _LEAF_ROLES or depth >= max_depth:
                return
            for index in range(acc.childCount):
                walk(acc.getChildAtIndex(index), depth + 1)
        except Exception as error:  # noqa: BLE001
            out.write("%s<error %s>\n" % ("  " * depth, error))

    walk(root, 0)


# ---------------------------------------------------------------------------
# Reading and pressing controls

def action_index(acc, names):
    action = acc.queryAction()
    wanted = [name.lower() for name in names]
    for index in range(action.nActions):
        if action.getName(index).lower() in wanted:
            return index
    raise TestFailure("%s offers none of the actions %s" % (describe(acc), names))


def press(acc):
    """Presses a button through its Action interface, as a click would.

    A push button clicks later (Qt animates the click); a tool button clicks
    inside the call, so a toolbar command that opens a modal dialog would
    hold the call until the dialog closes: click those (Session.click)."""
    if not has_state(acc, pyatspi.STATE_ENABLED):
        raise TestFailure("%s is disabled" % describe(acc))
    index = action_index(acc, ["Press", "click"])
    acc.queryAction().doAction(index)


def is_checked(acc):
    return has_state(acc, pyatspi.STATE_CHECKED)


def text_of(acc):
    text = acc.queryText()
    return text.getText(0, text.characterCount)


def wait_text(acc, expected, timeout=5.0):
    """Waits until an edit holds exactly expected."""
    try:
        wait_for("%s to read %r" % (describe(acc), expected),
                 lambda: text_of(acc) == expected, timeout)
    except TestFailure:
        raise TestFailure("%s reads %r, expected %r" % (describe(acc), text_of(acc), expected))


def table_size(table):
    t = table.queryTable()
    return t.nRows, t.nColumns


def column_index(table, title):
    """The column whose header shows title."""
    t = table.queryTable()
    titles = []
    for column in range(t.nColumns):
        header = t.getColumnHeader(column)
        text = header.name if header is not None else t.getColumnDescription(column)
        titles.append(text)
        if text == title:
            return column
    raise TestFailure("%s has no column %r (columns: %s)" % (describe(table), title, titles))


def cell(table, row, column=0):
    return table.queryTable().getAccessibleAt(row, column).name


def column_texts(table, column=0, limit=50):
    """The texts of one column of a short list (the tests make their own
    folders of a few files)."""
    rows = table.queryTable().nRows
    if rows > limit:
        raise TestFailure("%s has %d rows, more than a test folder holds" % (describe(table), rows))
    return [cell(table, row, column) for row in range(rows)]


# ---------------------------------------------------------------------------
# Keys

def xdotool(*args):
    subprocess.run(["xdotool"] + [str(arg) for arg in args], check=True, timeout=30)


def key(*keys):
    """Presses keys ("ctrl+m", "Return", ...) in the focused window."""
    xdotool("key", "--clearmodifiers", "--delay", "30", *keys)


def type_text(text):
    xdotool("type", "--clearmodifiers", "--delay", "30", text)


# ---------------------------------------------------------------------------
# One run of the program

class Session:
    """A private folder, a private settings file and one run of the program.

    Use as a context manager: on an exception the screen is saved into the
    session's folder and the folder is kept (its path printed); the program
    is always ended.
    """

    def __init__(self, executable, name):
        require_tools()
        self.executable = os.path.abspath(executable)
        if not os.access(self.executable, os.X_OK):
            raise TestFailure("no program at %s" % self.executable)
        beside = os.path.splitext(self.executable)[0] + ".ini"
        if os.path.exists(beside):
            skip("%s exists and would be used instead of a private settings file" % beside)
        self.name = name
        self.root = tempfile.mkdtemp(prefix="nr-gui-%s-" % name)
        self.folder = os.path.join(self.root, "files")
        self.config = os.path.join(self.root, "config")
        self.state = os.path.join(self.root, "state")
        os.makedirs(self.folder)
        os.makedirs(os.path.join(self.config, "NorvikRename"))
        self.process = None
        self.log_path = os.path.join(self.root, "program.log")
        self.app = None
        self.window = None
        self.window_id = None
        self.started = time.monotonic()

    # -- files -------------------------------------------------------------

    def path(self, name):
        return os.path.join(self.folder, name)

    def make_file(self, name, content):
        with open(self.path(name), "wb") as stream:
            stream.write(content)

    def listing(self):
        return sorted(os.listdir(self.folder))

    def content(self, name):
        with open(self.path(name), "rb") as stream:
            return stream.read()

    def write_settings(self, others):
        """The private settings file: keys of the [Others] section."""
        lines = ["[Others]"] + ["%s=%s" % (key_, value) for key_, value in others.items()]
        path = os.path.join(self.config, "NorvikRename", "norvikrename.ini")
        with open(path, "w", encoding="utf-8") as stream:
            stream.write("\n".join(lines) + "\n")

    # -- the program -------------------------------------------------------

    def start(self, *arguments, environment=None):
        """Starts the program on arguments and waits for its main window.

        The program runs in the C.UTF-8 locale (LANG and LC_ALL), so it
        speaks its own language. environment changes that: a variable given
        a text is set, one given None is removed
        ({"LANG": "en_US.UTF-8", "LC_ALL": None})."""
        env = dict(os.environ)
        env["LANG"] = env["LC_ALL"] = "C.UTF-8"
        for name, value in (environment or {}).items():
            if value is None:
                env.pop(name, None)
            else:
                env[name] = value
        env["XDG_CONFIG_HOME"] = self.config
        env["HOME"] = self.root
        # The undo journal of the window's renames stays in the test folder.
        env["XDG_STATE_HOME"] = self.state
        log = open(self.log_path, "wb")
        self.process = subprocess.Popen([self.executable] + list(arguments), cwd=self.root,
                                        env=env, stdout=log, stderr=subprocess.STDOUT)
        log.close()
        self.app = wait_for("the program on the accessibility bus", self._find_app, 30)
        self.window = wait_for(
            "the main window", lambda: self.find_in(self.app, "NorvikRename",
                                                    pyatspi.ROLE_FRAME, prefix=True), 30)
        self.window_id = wait_for("the main window's X window", self._find_window_id, 10)
        self.focus_window()
        return self.window

    def _find_app(self):
        if self.process.poll() is not None:
            raise TestFailure("the program ended at once with code %d: %s"
                              % (self.process.returncode, self.read_log()))
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def _find_window_id(self):
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                                 str(self.process.pid), "--name", "^NorvikRename"],
                                capture_output=True, text=True, timeout=10)
        ids = result.stdout.split()
        return ids[0] if ids else None

    def focus_window(self, window_id=None):
        """Gives the keyboard to a window of the program (the X server runs
        without a window manager)."""
        xdotool("windowfocus", "--sync", window_id or self.window_id)

    def read_log(self):
        try:
            with open(self.log_path, "r", encoding="utf-8", errors="replace") as stream:
                return stream.read()
        except OSError:
            return ""

    def stop(self):
        if self.process is None or self.process.poll() is not None:
            return
        self.process.terminate()
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait(5)

    # -- controls ----------------------------------------------------------

    def find_in(self, root, name, role=None, prefix=False, showing=True):
        found = find_all(root, matcher(name, role, showing, prefix))
        return found[0] if found else None

    def find(self, name, role=None, timeout=DEFAULT_TIMEOUT, root=None, leave_out=None):
        """The one showing control of that name (and role) in the main window
        (or below root)."""
        root = self.window if root is None else root

        def probe():
            found = find_all(root, matcher(name, role), leave_out=leave_out)
            if len(found) > 1:
                raise TestFailure("%d showing controls are named %r: %s"
                                  % (len(found), name, ", ".join(describe(a) for a in found)))
            return found[0] if found else None

        try:
            return wait_for("a control named %r" % name, probe, timeout)
        except TestFailure:
            path = os.path.join(self.root, "tree.txt")
            with open(path, "w", encoding="utf-8") as stream:
                dump(root, out=stream)
            print("the window's accessibility tree is in %s" % path)
            raise

    def toolbar(self):
        return self.find(TOOLBAR, pyatspi.ROLE_TOOL_BAR)

    def tool(self, tooltip, timeout=DEFAULT_TIMEOUT):
        """A command of the main toolbar, named by its tooltip text."""
        return self.find(tooltip, pyatspi.ROLE_PUSH_BUTTON, timeout, root=self.toolbar())

    def button(self, text, timeout=DEFAULT_TIMEOUT, root=None):
        """A push button by its text, outside the toolbars (whose commands
        can carry the same names)."""
        return self.find(text, pyatspi.ROLE_PUSH_BUTTON, timeout, root=root,
                         leave_out=lambda acc: role_of(acc) == pyatspi.ROLE_TOOL_BAR)

    def focused(self, root=None):
        """The control with the keyboard focus. (Qt marks the current tab
        of a tab bar focused as well: tabs are left out.)"""
        found = find_all(self.window if root is None else root,
                         lambda acc: has_state(acc, pyatspi.STATE_FOCUSED)
                         and role_of(acc) != pyatspi.ROLE_PAGE_TAB)
        return found[-1] if found else None

    def expect_focus(self, name, timeout=5.0, root=None):
        """Waits until the keyboard focus is on the control named name (in
        the main window or below root)."""
        def probe():
            acc = self.focused(root)
            return acc is not None and acc.name == name
        try:
            wait_for("the focus on %r" % name, probe, timeout)
        except TestFailure:
            acc = self.focused(root)
            raise TestFailure("the focus is on %s, not on %r"
                              % (describe(acc) if acc is not None else "nothing", name))

    def dialog(self, title, timeout=DEFAULT_TIMEOUT):
        """A top-level window of the program other than the main window."""
        def probe():
            for index in range(self.app.childCount):
                acc = self.app.getChildAtIndex(index)
                if acc is None or acc.name != title:
                    continue
                if role_of(acc) in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT,
                                    pyatspi.ROLE_FRAME, pyatspi.ROLE_WINDOW) \
                        and is_showing(acc) and not self.same(acc, self.window):
                    return acc
            return None
        return wait_for("the window %r" % title, probe, timeout)

    def dialog_gone(self, dialog, timeout=DEFAULT_TIMEOUT):
        """Waits until a dialog has closed, then gives the keyboard back to
        the main window: the X server runs without a window manager, and
        nothing else returns the focus to the window under the dialog."""
        def probe():
            for index in range(self.app.childCount):
                acc = self.app.getChildAtIndex(index)
                if acc is not None and self.same(acc, dialog) and is_showing(acc):
                    return False
            return True
        wait_for("%s to close" % describe(dialog), probe, timeout)
        self.focus_window()

    @staticmethod
    def same(first, second):
        """Whether two accessible objects are one (None is one only with None)."""
        if first is None or second is None:
            return first is None and second is None
        try:
            return first.path == second.path and first.get_bus_name() == second.get_bus_name()
        except AttributeError:
            return first == second

    def answer(self, title, button, expect_text=None, timeout=DEFAULT_TIMEOUT):
        """Waits for the message box titled title, checks its text and
        presses one of its buttons; returns the text."""
        box = self.dialog(title, timeout)
        text = wait_for("the text of %s" % describe(box), lambda: self.message_text(box), 5)
        if expect_text is not None and expect_text not in text:
            raise TestFailure("the message box says %r, expected %r" % (text, expect_text))
        press(self.button(button, root=box))
        self.dialog_gone(box)
        return text

    def message_text(self, dialog):
        """The texts of the labels of a message box."""
        labels = find_all(dialog, matcher(role=pyatspi.ROLE_LABEL))
        return "\n".join(label.name or "" for label in labels)

    def list_texts(self, name, title=None):
        table = self.find(name, pyatspi.ROLE_TABLE)
        column = column_index(table, title) if title else 0
        return column_texts(table, column)

    def wait_list(self, name, expected, title=None, timeout=DEFAULT_TIMEOUT):
        """Waits until the list shows exactly the expected texts (in any
        order) in one column."""
        expected = sorted(expected)
        seen = []

        def probe():
            seen[:] = [self.list_texts(name, title)]
            return sorted(seen[0]) == expected
        try:
            wait_for("%r to show %s" % (name, expected), probe, timeout)
        except TestFailure:
            raise TestFailure("%r shows %s, expected %s"
                              % (name, seen[0] if seen else "nothing", expected))

    def wait_files(self, expected, timeout=DEFAULT_TIMEOUT):
        expected = sorted(expected)
        try:
            wait_for("the folder to hold %s" % expected, lambda: self.listing() == expected,
                     timeout)
        except TestFailure:
            raise TestFailure("the folder holds %s, expected %s" % (self.listing(), expected))

    def click(self, acc):
        """A left click of the mouse in the middle of a control."""
        x, y, width, height = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        if width <= 0 or height <= 0:
            raise TestFailure("%s has no place on the screen" % describe(acc))
        self.focus_window()
        xdotool("mousemove", "--sync", x + width // 2, y + height // 2, "click", "1")

    def set_checked(self, acc, checked):
        """Ticks or unticks a check box the way a user does: Qt 6.4 offers
        only "Toggle" for a check box, which flips the state without the
        click (a rule box toggled so leaves its edit disabled), so the box
        gets the focus and the space bar."""
        if is_checked(acc) == checked:
            return
        self.focus_window()
        acc.queryComponent().grabFocus()
        wait_for("the focus on %s" % describe(acc),
                 lambda: has_state(acc, pyatspi.STATE_FOCUSED), 5)
        key("space")
        wait_for("%s to become %s" % (describe(acc), "ticked" if checked else "unticked"),
                 lambda: is_checked(acc) == checked)

    def type_into(self, acc, text, clear=True):
        """Focuses an edit and types text into it with real key presses."""
        self.focus_window()
        acc.queryComponent().grabFocus()
        wait_for("the focus on %s" % describe(acc),
                 lambda: has_state(acc, pyatspi.STATE_FOCUSED), 5)
        if clear:
            key("ctrl+a", "BackSpace")
        type_text(text)

    def rule_text(self, rule, text):
        """Ticks the rule check box named rule, waits for its edit (of the
        same name) to be enabled and types text into it."""
        self.set_checked(self.find(rule, pyatspi.ROLE_CHECK_BOX), True)
        edit = self.find(rule, ROLE_EDIT)
        wait_for("the edit %r to be enabled" % rule,
                 lambda: has_state(edit, pyatspi.STATE_ENABLED), 5)
        self.type_into(edit, text)

    # -- the end -----------------------------------------------------------

    def screenshot(self):
        path = os.path.join(self.root, "screen.png")
        if shutil.which("import") is None:
            return None
        result = subprocess.run(["import", "-window", "root", path], capture_output=True,
                                timeout=30)
        return path if result.returncode == 0 else None

    def __enter__(self):
        return self

    def __exit__(self, kind, value, trace):
        try:
            if kind is not None and kind is not SystemExit:
                shot = self.screenshot()
                print("FAILED after %.1f s: %s" % (time.monotonic() - self.started, value))
                if kind is not TestFailure:
                    traceback.print_exception(kind, value, trace)
                if shot:
                    print("screenshot: %s" % shot)
                print("test folder kept: %s" % self.root)
                log = self.read_log()
                if log:
                    print("program output:\n" + log)
                if isinstance(value, Exception):
                    value.reported = True
        finally:
            self.stop()
        if kind is None:
            print("passed in %.1f s" % (time.monotonic() - self.started))
            shutil.rmtree(self.root, ignore_errors=True)
        return False


def main(test):
    """Runs test(executable) and turns its outcome into an exit code."""
    if len(sys.argv) != 2:
        print("usage: %s PATH-OF-norvikrename" % sys.argv[0])
        return 2
    require_tools()
    try:
        test(sys.argv[1])
    except Exception as error:  # noqa: BLE001 - every fault fails the test
        if not getattr(error, "reported", False):
            print("FAILED: %s" % error)
            if not isinstance(error, TestFailure):
                traceback.print_exc()
        return 1
    return 0
