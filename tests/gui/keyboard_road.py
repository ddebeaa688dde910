# SPDX-License-Identifier: GPL-3.0-or-later
"""The road of one rename and its undo, with the keyboard only.

Alt+P and the path, Ctrl+M and the mask, Alt+A for "Hernoem alleen de
geselecteerde bestanden", Ctrl+Tab to the rules and Tab to "Invoegen voor de
bestandsnnaam", Ctrl+Alt+R to rename, Return for "Ja", Ctrl+U to undo. The
accessibility bus is only read (where the focus is, what the lists show).
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import atspi_driver as d  # noqa: E402

FILES = {"a.txt": b"alpha\n", "b.txt": b"bravo bravo\n", "c.jpg": b"\xff\xd8\xff charlie"}
ONLY_SELECTED = "Hernoem alleen de geselecteerde bestanden"
RULE = "Invoegen voor de bestandsnnaam"


def tab_to(s, name, role, most):
    """Presses Tab until the focus is on the control named name."""
    for _ in range(most):
        acc = s.focused()
        if acc is not None and acc.name == name and d.role_of(acc) == role:
            return acc
        d.key("Tab")
        d.wait_for("the focus to move on from %s" % d.describe(acc),
                   lambda: not s.same(s.focused(), acc), 5)
    acc = s.focused()
    raise d.TestFailure("%d Tab presses did not reach %r; the focus is on %s"
                        % (most, name, d.describe(acc) if acc is not None else "nothing"))


def run(executable):
    pyatspi = d.pyatspi
    with d.Session(executable, "keys") as s:
        for name, content in FILES.items():
            s.make_file(name, content)
        s.write_settings({"AskConfirmationBeforeRenaming": 1, "RenameOnlySelectedFiles": 1})
        # Start in the folder above; the path box leads to the files.
        s.start("PATH=" + s.root)
        s.wait_list(d.FILE_LIST, ["config", "files", "program.log"], d.FILE_COLUMN)

        d.key("alt+p")
        s.expect_focus("Pad")
        d.key("ctrl+a")
        d.type_text(s.folder)
        d.key("Return")
        s.wait_list(d.FILE_LIST, ["a.txt", "b.txt", "c.jpg"], d.FILE_COLUMN)
        s.expect_focus(d.FILE_LIST)

        d.key("ctrl+m")
        s.expect_focus("Masker")
        d.type_text("*.txt")
        d.key("Return")
        s.wait_list(d.FILE_LIST, ["a.txt", "b.txt"], d.FILE_COLUMN)

        only_selected = s.find(ONLY_SELECTED, pyatspi.ROLE_CHECK_BOX)
        d.key("alt+a")
        d.wait_for("%r to be unticked" % ONLY_SELECTED,
                   lambda: not d.is_checked(only_selected), 5)

        # Ctrl+Tab walks the rule pages; back on the first, its first box has
        # the focus.
        for _ in range(3):
            d.key("ctrl+Tab")
        s.expect_focus("Vervang door de tekst")
        box = tab_to(s, RULE, pyatspi.ROLE_CHECK_BOX, 12)
        d.key("space")
        d.wait_for("%r to be ticked" % RULE, lambda: d.is_checked(box), 5)
        # Ticking a rule takes the focus to its edit.
        d.wait_for("the focus on the edit %r" % RULE,
                   lambda: not s.same(s.focused(), box), 5)
        s.expect_focus(RULE)
        if d.role_of(s.focused()) not in d.ROLE_EDIT:
            raise d.TestFailure("ticking %r takes the focus to %s, not to its edit"
                                % (RULE, d.describe(s.focused())))
        d.type_text("k-")
        s.wait_list(d.PREVIEW_LIST, ["k-a.txt", "k-b.txt"])

        d.key("ctrl+alt+r")
        box = s.dialog(d.PROGRAM_CAPTION)
        text = s.message_text(box)
        if "Norvik Rename gaat alle bestanden hernoemen" not in text:
            raise d.TestFailure("the message box says %r" % text)
        s.expect_focus("Ja", root=box)
        d.key("Return")
        s.dialog_gone(box)
        s.wait_files(["c.jpg", "k-a.txt", "k-b.txt"])
        for name in ("a.txt", "b.txt"):
            if s.content("k-" + name) != FILES[name]:
                raise d.TestFailure("k-%s does not hold the bytes of %s" % (name, name))
        s.wait_list(d.FILE_LIST, ["k-a.txt", "k-b.txt"], d.FILE_COLUMN)

        d.key("ctrl+u")
        s.wait_files(["a.txt", "b.txt", "c.jpg"])
        for name, content in FILES.items():
            if s.content(name) != content:
                raise d.TestFailure("%s does not hold its bytes after the undo" % name)
        s.wait_list(d.FILE_LIST, ["a.txt", "b.txt"], d.FILE_COLUMN)


if __name__ == "__main__":
    sys.exit(d.main(run))
