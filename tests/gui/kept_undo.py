# SPDX-License-Identifier: GPL-3.0-or-later
"""The undo of a rename survives the program's death.

A folder holds a.txt and b.txt. The rule "Invoegen voor de bestandsnnaam" =
"x-" renames them ("Hernoemen", answered "Ja"); then the program is killed
(SIGKILL: nothing of it runs any more). Started again with the same
XDG_STATE_HOME, it offers "Herstellen" at once, and pressing it moves both
files back with their bytes; the journal in the state folder is gone then,
and a third start offers no undo.
"""

import os
import signal
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import atspi_driver as d  # noqa: E402

FILES = {"a.txt": b"alpha\n", "b.txt": b"bravo bravo\n"}


def run(executable):
    pyatspi = d.pyatspi
    with d.Session(executable, "kept-undo") as s:
        for name, content in FILES.items():
            s.make_file(name, content)
        s.write_settings({"AskConfirmationBeforeRenaming": 1, "RenameOnlySelectedFiles": 0})
        s.start("PATH=" + s.folder)
        s.wait_list(d.FILE_LIST, ["a.txt", "b.txt"], d.FILE_COLUMN)
        undo = s.button("Herstellen")
        if d.has_state(undo, pyatspi.STATE_ENABLED):
            raise d.TestFailure("Herstellen is enabled before any rename")

        s.rule_text("Invoegen voor de bestandsnnaam", "x-")
        s.wait_list(d.PREVIEW_LIST, ["x-a.txt", "x-b.txt"])
        d.press(s.button("Hernoemen"))
        s.answer(d.PROGRAM_CAPTION, "Ja",
                 expect_text="Norvik Rename gaat alle bestanden hernoemen")
        s.wait_files(["x-a.txt", "x-b.txt"])

        journal = os.path.join(s.state, "NorvikRename", "undo.sh")
        if not os.path.exists(journal):
            raise d.TestFailure("no undo journal at %s" % journal)
        mode = os.stat(os.path.dirname(journal)).st_mode & 0o777
        if mode != 0o700:
            raise d.TestFailure("the state folder has mode %o, expected 700" % mode)

        # Killed: no closing, no saving, nothing.
        s.process.send_signal(signal.SIGKILL)
        s.process.wait(10)

        s.start("PATH=" + s.folder)
        s.wait_list(d.FILE_LIST, ["x-a.txt", "x-b.txt"], d.FILE_COLUMN)
        undo = s.button("Herstellen")
        d.wait_for("the button Herstellen to be enabled after the restart",
                   lambda: d.has_state(undo, pyatspi.STATE_ENABLED), 5)
        d.press(undo)
        s.wait_files(["a.txt", "b.txt"])
        for name, content in FILES.items():
            if s.content(name) != content:
                raise d.TestFailure("%s does not hold its bytes after the undo" % name)
        d.wait_for("the button Herstellen to be disabled after the undo",
                   lambda: not d.has_state(undo, pyatspi.STATE_ENABLED), 5)
        if os.path.exists(journal):
            raise d.TestFailure("the journal is still there after the undo")

        s.stop()
        s.start("PATH=" + s.folder)
        s.wait_list(d.FILE_LIST, ["a.txt", "b.txt"], d.FILE_COLUMN)
        if d.has_state(s.button("Herstellen"), pyatspi.STATE_ENABLED):
            raise d.TestFailure("Herstellen is enabled at a start after the undo")


if __name__ == "__main__":
    sys.exit(d.main(run))
