# SPDX-License-Identifier: GPL-3.0-or-later
"""A rename killed half way is undone after the restart.

A folder holds 10,000 files. The rule "Invoegen voor de bestandsnnaam" =
"x-" renames them without a question, and the program is killed (SIGKILL)
as soon as the 2,001st file has its new name, while the rename still runs.
Started again with the same XDG_STATE_HOME, it offers "Herstellen" at once,
and pressing it moves every renamed file back: each file is under its old
name with its bytes, and no other file is in the folder.
"""

import os
import signal
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import atspi_driver as d  # noqa: E402

COUNT = 10000
KILL_AT = 2000


def name(index):
    return "f%05d.txt" % index


def run(executable):
    pyatspi = d.pyatspi
    with d.Session(executable, "kept-undo-kill") as s:
        for index in range(COUNT):
            s.make_file(name(index), name(index).encode())
        s.write_settings({"AskConfirmationBeforeRenaming": 0, "RenameOnlySelectedFiles": 0,
                          "ReloadUserOptionsOnStart": 0})
        s.start("PATH=" + s.folder)
        preview = s.find(d.PREVIEW_LIST, pyatspi.ROLE_TABLE)
        d.wait_for("the preview of %d rows" % COUNT,
                   lambda: d.table_size(preview)[0] == COUNT, 30)

        s.rule_text("Invoegen voor de bestandsnnaam", "x-")
        d.wait_for("the preview to show the new names",
                   lambda: d.cell(preview, COUNT - 1) == "x-" + name(COUNT - 1), 30)

        # The kill comes from a thread that watches the folder, since the
        # window answers nobody while it renames.
        sign = s.path("x-" + name(KILL_AT))
        killed = threading.Event()

        def killer():
            deadline = time.monotonic() + 60
            while time.monotonic() < deadline and s.process.poll() is None:
                if os.path.exists(sign):
                    s.process.send_signal(signal.SIGKILL)
                    killed.set()
                    return
                time.sleep(0.0005)

        watcher = threading.Thread(target=killer)
        watcher.start()
        try:
            d.press(s.button("Hernoemen"))
        except Exception:  # noqa: BLE001 - the program may die while it answers
            pass
        watcher.join(70)
        s.process.wait(10)
        if not killed.is_set():
            raise d.TestFailure("the rename ended before it was killed")
        renamed = sum(1 for entry in os.listdir(s.folder) if entry.startswith("x-"))
        print("killed after %d of %d moves" % (renamed, COUNT))
        if renamed <= KILL_AT or renamed >= COUNT:
            raise d.TestFailure("%d files renamed at the kill" % renamed)

        s.start("PATH=" + s.folder)
        undo = s.button("Herstellen")
        d.wait_for("the button Herstellen to be enabled after the restart",
                   lambda: d.has_state(undo, pyatspi.STATE_ENABLED), 30)
        d.press(undo)
        expected = sorted(name(index) for index in range(COUNT))
        d.wait_for("every file back under its old name", lambda: s.listing() == expected, 60)
        for index in range(COUNT):
            if s.content(name(index)) != name(index).encode():
                raise d.TestFailure("%s does not hold its bytes" % name(index))
        d.wait_for("the button Herstellen to be disabled after the undo",
                   lambda: not d.has_state(undo, pyatspi.STATE_ENABLED), 30)


if __name__ == "__main__":
    sys.exit(d.main(run))
