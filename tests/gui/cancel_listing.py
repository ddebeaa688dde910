# SPDX-License-Identifier: GPL-3.0-or-later
"""Cancelling a long recursive listing.

A tree of many folders is opened, "Recursieve modus" is switched on from the
toolbar, and while the listing's progress shows, its "Annuleren" is pressed.
A local listing ends before the accessibility bus reaches the button, so the
program is started with NR_LISTING_DELAY_MS: every folder takes as long as on
a slow network share.
The listing stops, recursive mode is off again with its toolbar button
unchecked, and the window lists the top folder alone: its own file and its
one sub-folder, none of the files below it.
"""

import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import atspi_driver as d  # noqa: E402

RECURSIVE = "Recursieve modus"
PROGRESS_CAPTION = "Voortgang..."
TOP = ["top.txt", "tree"]
# With 20 ms a folder the listing takes 12 s, many times what finding and
# pressing the button takes.
FOLDERS = 600
FILES_PER_FOLDER = 20
FOLDER_DELAY_MS = 20


def make_tree(session):
    """Folders of hard links to one file each: quick to make, and every
    link is an entry the listing has to read."""
    session.make_file("top.txt", b"top\n")
    os.mkdir(session.path("tree"))
    for folder_index in range(FOLDERS):
        folder = session.path(os.path.join("tree", "d%04d" % folder_index))
        os.mkdir(folder)
        source = os.path.join(folder, "f000.txt")
        with open(source, "wb") as stream:
            stream.write(b"%d\n" % folder_index)
        for file_index in range(1, FILES_PER_FOLDER):
            os.link(source, os.path.join(folder, "f%03d.txt" % file_index))


def progress_window_shown(session):
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                             str(session.process.pid), "--name", "^" + PROGRESS_CAPTION],
                            capture_output=True, text=True, timeout=10)
    return result.returncode == 0 and result.stdout.strip() != ""


def named_child(root, name, role, depth=3):
    """A control below root by name and role, asking the bus as little as
    possible: every question waits for the listing's next step."""
    for index in range(root.childCount):
        child = root.getChildAtIndex(index)
        if child is None:
            continue
        if child.name == name and d.role_of(child) == role:
            return child
        if depth > 1:
            found = named_child(child, name, role, depth - 1)
            if found is not None:
                return found
    return None


def run(executable):
    pyatspi = d.pyatspi
    with d.Session(executable, "cancel-listing") as s:
        make_tree(s)
        s.write_settings({"RenameOnlySelectedFiles": 0})
        s.start("PATH=" + s.folder, environment={"NR_LISTING_DELAY_MS": str(FOLDER_DELAY_MS)})
        s.wait_list(d.FILE_LIST, TOP, d.FILE_COLUMN)
        # A two-state toolbar button is a check box to the accessibility bus.
        tool = s.find(RECURSIVE, pyatspi.ROLE_CHECK_BOX, root=s.toolbar())
        if d.is_checked(tool):
            raise d.TestFailure("%r is on at start" % RECURSIVE)

        s.click(tool)
        # While the listing runs, the program answers the accessibility bus
        # only between its steps: the X server tells first that the progress
        # window is there.
        d.wait_for("the progress window", lambda: progress_window_shown(s), 60)
        shown = time.monotonic()
        progress = s.dialog(PROGRESS_CAPTION, timeout=60)
        cancel = named_child(progress, "Annuleren", pyatspi.ROLE_PUSH_BUTTON)
        if cancel is None:
            raise d.TestFailure("%r has no button 'Annuleren'" % PROGRESS_CAPTION)
        d.press(cancel)
        print("Annuleren pressed %.2f s after the progress showed" % (time.monotonic() - shown))
        s.dialog_gone(progress, timeout=60)

        d.wait_for("%r to be unchecked" % RECURSIVE, lambda: not d.is_checked(tool))
        # The window lists the top folder alone again; had the listing run to
        # its end, the list would hold every file of the tree.
        s.wait_list(d.FILE_LIST, TOP, d.FILE_COLUMN, timeout=60)
        table = s.find(d.FILE_LIST, pyatspi.ROLE_TABLE)
        rows, _ = d.table_size(table)
        if rows != len(TOP):
            raise d.TestFailure("the list holds %d rows after the cancel" % rows)
        print("after the cancel the list holds %d rows" % rows)


if __name__ == "__main__":
    sys.exit(d.main(run))
