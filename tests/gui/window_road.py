# SPDX-License-Identifier: GPL-3.0-or-later
"""One rename and its undo, driven by name through the accessibility bus.

A folder holds a.txt, b.txt and c.jpg. The mask "*.txt" leaves the two text
files, the rule "Invoegen voor de bestandsnnaam" = "x-" gives them new names,
"Hernoemen" (answered "Ja") moves them on disk and "Herstellen" moves them
back; c.jpg is never touched. A file made meanwhile shows after the toolbar's
"Vernieuw bestanden".
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import atspi_driver as d  # noqa: E402

FILES = {"a.txt": b"alpha\n", "b.txt": b"bravo bravo\n", "c.jpg": b"\xff\xd8\xff charlie"}


def run(executable):
    pyatspi = d.pyatspi
    with d.Session(executable, "road") as s:
        for name, content in FILES.items():
            s.make_file(name, content)
        # Only-selected starts ticked, so the test must untick it to rename all.
        s.write_settings({"AskConfirmationBeforeRenaming": 1, "RenameOnlySelectedFiles": 1})
        s.start("PATH=" + s.folder)
        s.wait_list(d.FILE_LIST, ["a.txt", "b.txt", "c.jpg"], d.FILE_COLUMN)

        only_selected = s.find("Hernoem alleen de geselecteerde bestanden",
                               pyatspi.ROLE_CHECK_BOX)
        if not d.is_checked(only_selected):
            raise d.TestFailure("the settings' RenameOnlySelectedFiles=1 is not shown")
        s.set_checked(only_selected, False)

        mask = s.find("Masker", d.ROLE_EDIT)
        s.type_into(mask, "*.txt")
        d.key("Return")
        # What was typed is the mask: nothing completes it to a longer one.
        d.wait_text(mask, "*.txt")
        s.wait_list(d.FILE_LIST, ["a.txt", "b.txt"], d.FILE_COLUMN)

        s.rule_text("Invoegen voor de bestandsnnaam", "x-")
        s.wait_list(d.PREVIEW_LIST, ["x-a.txt", "x-b.txt"])

        d.press(s.button("Hernoemen"))
        s.answer(d.PROGRAM_CAPTION, "Ja",
                 expect_text="Norvik Rename gaat alle bestanden hernoemen")

        s.wait_files(["c.jpg", "x-a.txt", "x-b.txt"])
        for name in ("a.txt", "b.txt"):
            if s.content("x-" + name) != FILES[name]:
                raise d.TestFailure("x-%s does not hold the bytes of %s" % (name, name))
        if s.content("c.jpg") != FILES["c.jpg"]:
            raise d.TestFailure("c.jpg changed")
        s.wait_list(d.FILE_LIST, ["x-a.txt", "x-b.txt"], d.FILE_COLUMN)

        undo = s.button("Herstellen")
        d.wait_for("the button Herstellen to be enabled",
                   lambda: d.has_state(undo, pyatspi.STATE_ENABLED), 5)
        d.press(undo)
        s.wait_files(["a.txt", "b.txt", "c.jpg"])
        for name, content in FILES.items():
            if s.content(name) != content:
                raise d.TestFailure("%s does not hold its bytes after the undo" % name)
        s.wait_list(d.FILE_LIST, ["a.txt", "b.txt"], d.FILE_COLUMN)
        d.wait_for("the button Herstellen to be disabled after the undo",
                   lambda: not d.has_state(undo, pyatspi.STATE_ENABLED), 5)
        if d.has_state(s.tool("Herstellen"), pyatspi.STATE_ENABLED):
            raise d.TestFailure("the toolbar's Herstellen stays enabled after the undo")

        # A file made behind the program's back shows after "Vernieuw bestanden".
        s.make_file("d.txt", b"delta\n")
        d.press(s.tool("Vernieuw bestanden"))
        s.wait_list(d.FILE_LIST, ["a.txt", "b.txt", "d.txt"], d.FILE_COLUMN)


if __name__ == "__main__":
    sys.exit(d.main(run))
