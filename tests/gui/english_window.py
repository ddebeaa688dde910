# SPDX-License-Identifier: GPL-3.0-or-later
"""The window speaks the language of its environment.

Started as today (LC_ALL=C.UTF-8) the main window, the general settings and
the about box carry their Dutch names. Started with LANG=en_US.UTF-8 and
LC_ALL, LC_MESSAGES and LANGUAGE unset, the same controls carry their
English names; a Dutch name where an English one belongs fails the test and
is named in its message. (The program reads the language from the text of
these variables, so the English run does not need en_US.UTF-8 to be
generated.)
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import atspi_driver as d  # noqa: E402

DUTCH, ENGLISH = 0, 1
LANGUAGES = ("Dutch", "English")
ENGLISH_ENVIRONMENT = {"LANG": "en_US.UTF-8", "LC_ALL": None, "LC_MESSAGES": None,
                       "LANGUAGE": None}

ABOUT_DUTCH = "Over NorvikRename"


def main_window_names():
    """What, the roles it may have (None: any), its Dutch and English name."""
    pyatspi = d.pyatspi
    return [
        ("the file list", {pyatspi.ROLE_TABLE}, "Bestandenlijst", "File list"),
        ("the preview list", {pyatspi.ROLE_TABLE}, "Voorbeeldvenster", "Preview"),
        ("the toolbar", {pyatspi.ROLE_TOOL_BAR}, "Werkbalk", "Toolbar"),
        ("the folder toolbar", {pyatspi.ROLE_TOOL_BAR}, "Map", "Folder"),
        ("the path", d.ROLE_EDIT, "Pad", "Path"),
        ("the mask", d.ROLE_EDIT, "Masker", "Mask"),
        ("the rule tabs", None, "Regels", "Rules"),
        ("the rename button", {pyatspi.ROLE_PUSH_BUTTON}, "Hernoemen", "Rename"),
        ("the undo button", {pyatspi.ROLE_PUSH_BUTTON}, "Herstellen", "Undo"),
        ("the about button", {pyatspi.ROLE_PUSH_BUTTON}, "Over", "About"),
        ("the only-selected check box", {pyatspi.ROLE_CHECK_BOX},
         "Hernoem alleen de geselecteerde bestanden", "Rename only the selected files"),
    ]


def showing_names(root):
    """(role, name) of every showing object below root. Toolbars count, but
    not their commands (a toolbar command may carry a button's name), nor
    the rows of lists."""
    pyatspi = d.pyatspi
    seen = set()
    queue = [root]
    while queue:
        acc = queue.pop(0)
        try:
            role = d.role_of(acc)
            if acc is not root and d.is_showing(acc):
                seen.add((role, acc.name or ""))
            if acc is not root and role in d._LEAF_ROLES | {pyatspi.ROLE_TOOL_BAR}:
                continue
            for index in range(acc.childCount):
                child = acc.getChildAtIndex(index)
                if child is not None:
                    queue.append(child)
        except Exception:  # noqa: BLE001 - an object went away while it was read
            continue
    return seen


def has_name(seen, roles, name):
    return any(text == name and (roles is None or role in roles) for role, text in seen)


class Findings:
    """The names a run found in the wrong language or not at all."""

    def __init__(self, language):
        self.language = language
        self.faults = []

    def expect(self, what, found, wanted, other):
        """found(name) says whether name is there; wanted is the name in
        this run's language, other the one in the other language."""
        if found(wanted):
            return
        if found(other):
            self.faults.append("%s: %r instead of %r" % (what, other, wanted))
        else:
            self.faults.append("%s (%r) is missing" % (what, wanted))

    def check(self):
        if self.faults:
            raise d.TestFailure("the window started in %s does not speak it: %s"
                                % (LANGUAGES[self.language], "; ".join(self.faults)))


def top_level(s, accept):
    """A showing top-level window of the program, other than the main
    window, whose title accept(title) takes."""
    for index in range(s.app.childCount):
        acc = s.app.getChildAtIndex(index)
        if acc is None or s.same(acc, s.window) or not d.is_showing(acc):
            continue
        if accept(acc.name or ""):
            return acc
    return None


def close_with(s, dialog, names):
    """Presses the first of the buttons names that the dialog has."""
    pyatspi = d.pyatspi
    for name in names:
        found = d.find_all(dialog, d.matcher(name, pyatspi.ROLE_PUSH_BUTTON))
        if found:
            d.press(found[0])
            s.dialog_gone(dialog)
            return
    raise d.TestFailure("%s has none of the buttons %s" % (d.describe(dialog), names))


def check_window(executable, language):
    pyatspi = d.pyatspi
    other = ENGLISH if language == DUTCH else DUTCH
    findings = Findings(language)
    with d.Session(executable, LANGUAGES[language].lower()) as s:
        s.make_file("a.txt", b"a")
        s.start("PATH=" + s.folder,
                environment=ENGLISH_ENVIRONMENT if language == ENGLISH else None)

        # The file list, whatever its name, shows the folder: the window is
        # built.
        names = main_window_names()
        def either_file_list():
            for name in (names[0][2 + language], names[0][2 + other]):
                found = s.find_in(s.window, name, pyatspi.ROLE_TABLE)
                if found is not None:
                    return found
            return None
        file_list = d.wait_for("the file list", either_file_list)
        d.wait_for("the file list to show a.txt",
                   lambda: d.column_texts(file_list) == ["a.txt"])

        seen = showing_names(s.window)
        for what, roles, dutch, english in names:
            wanted, unwanted = (dutch, english) if language == DUTCH else (english, dutch)
            findings.expect(what, lambda name, roles=roles: has_name(seen, roles, name),
                            wanted, unwanted)

        def has_column(title):
            try:
                d.column_index(file_list, title)
                return True
            except d.TestFailure:
                return False
        findings.expect("the file list's first column", has_column,
                        ("Bestand", "File")[language], ("Bestand", "File")[other])

        # The general settings (F10) and their language choice.
        settings_titles = ("Algemene instellingen", "General settings")
        s.focus_window()
        d.key("F10")
        settings = d.wait_for("the general settings",
                              lambda: top_level(s, lambda title: title in settings_titles))
        findings.expect("the settings dialog", lambda title: settings.name == title,
                        settings_titles[language], settings_titles[other])
        if language == ENGLISH:
            inside = showing_names(settings)
            findings.expect("the language choice", lambda name: has_name(inside, None, name),
                            "Language", "Taal")
        close_with(s, settings, (("Annuleren", "Cancel")[language],
                                 ("Annuleren", "Cancel")[other]))

        # The about box: Dutch has its fixed title; any other language just
        # has to be other than Dutch.
        about = [name for role, name in seen
                 if role == pyatspi.ROLE_PUSH_BUTTON and name in ("Over", "About")]
        if not about:
            raise d.TestFailure("the window has no about button (%s)" % findings.faults)
        d.press(s.button(about[0]))
        box = d.wait_for("the about box", lambda: top_level(s, lambda title: True))
        title = box.name or ""
        if language == DUTCH and title != ABOUT_DUTCH:
            findings.faults.append("the about box: %r instead of %r" % (title, ABOUT_DUTCH))
        if language == ENGLISH and title == ABOUT_DUTCH:
            findings.faults.append("the about box: %r, in Dutch" % title)
        close_with(s, box, ("OK",))

        findings.check()


def run(executable):
    # Dutch first: it holds today, and the program's start is checked before
    # its language.
    check_window(executable, DUTCH)
    check_window(executable, ENGLISH)


if __name__ == "__main__":
    sys.exit(d.main(run))
