# SPDX-License-Identifier: GPL-3.0-or-later
"""A rename that fails is listed.

The rule "Vervang door de tekst" = "same" gives a.txt and b.txt the same new
name, same.txt. The first move succeeds, the second finds its target taken:
an error box appears, then the dialog "Hernoemen fouten" lists that one file.
On disk one file has moved and the other kept its name and its bytes.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import atspi_driver as d  # noqa: E402

FILES = {"a.txt": b"first file\n", "b.txt": b"second file, longer\n"}
ERRORS_CAPTION = "Hernoemen fouten"


def run(executable):
    pyatspi = d.pyatspi
    with d.Session(executable, "failure") as s:
        for name, content in FILES.items():
            s.make_file(name, content)
        s.write_settings({"AskConfirmationBeforeRenaming": 1, "RenameOnlySelectedFiles": 0})
        s.start("PATH=" + s.folder)
        s.wait_list(d.FILE_LIST, ["a.txt", "b.txt"], d.FILE_COLUMN)
        only_selected = s.find("Hernoem alleen de geselecteerde bestanden",
                               pyatspi.ROLE_CHECK_BOX)
        if d.is_checked(only_selected):
            raise d.TestFailure("the settings' RenameOnlySelectedFiles=0 is not shown")

        rule = "Vervang door de tekst"
        s.set_checked(s.find(rule, pyatspi.ROLE_CHECK_BOX), True)
        edit = s.find(rule, d.ROLE_EDIT)
        d.wait_for("the edit %r to be enabled" % rule,
                   lambda: d.has_state(edit, pyatspi.STATE_ENABLED), 5)
        s.type_into(edit, "same")
        s.wait_list(d.PREVIEW_LIST, ["same.txt", "same.txt"])

        # This time the toolbar's command renames, clicked with the mouse.
        s.click(s.tool("Hernoem de huidige selectie"))
        s.answer(d.PROGRAM_CAPTION, "Ja",
                 expect_text="Norvik Rename gaat alle bestanden hernoemen")
        # The error box, then the list of failures.
        s.answer(d.PROGRAM_CAPTION, "OK",
                 expect_text="Er zijn fouten ontstaan bij het hernoemen van bestanden.")
        errors = s.dialog(ERRORS_CAPTION)
        table = s.find(ERRORS_CAPTION, pyatspi.ROLE_TABLE, root=errors)
        rows, columns = d.table_size(table)
        if rows != 1:
            raise d.TestFailure("%r lists %d rows, expected 1" % (ERRORS_CAPTION, rows))
        row_texts = [d.cell(table, 0, column) for column in range(columns)]
        print("listed failure: %s" % " | ".join(row_texts))
        d.press(s.button("OK", root=errors))
        s.dialog_gone(errors)

        listing = s.listing()
        if len(listing) != 2 or "same.txt" not in listing:
            raise d.TestFailure("the folder holds %s, expected same.txt and one of a.txt, b.txt"
                                % listing)
        kept = [name for name in listing if name != "same.txt"][0]
        moved = "b.txt" if kept == "a.txt" else "a.txt"
        if s.content(kept) != FILES[kept]:
            raise d.TestFailure("%s, whose move failed, lost its bytes" % kept)
        if s.content("same.txt") != FILES[moved]:
            raise d.TestFailure("same.txt does not hold the bytes of %s" % moved)
        if not any(kept in text for text in row_texts):
            raise d.TestFailure("the failure row %s does not name %s" % (row_texts, kept))
        s.wait_list(d.FILE_LIST, sorted(listing), d.FILE_COLUMN)


if __name__ == "__main__":
    sys.exit(d.main(run))
