#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks that the translations of the manual say the same things.

Usage: manual-translations.py <manual folder>

The folder holds index.html (the Dutch page) and one index.<lang>.html per
translation. A translation changes the prose only: every page must have the
same element ids, internal links and images, and the same texts in <code>,
<pre> and <kbd> (tags, keywords, INI keys, file names, console lines and
keys are the same in every language). So a section, table row or example
added to one page and not to the others is caught. Each page names its
language in <html lang> and links to every other page with hreflang.
"""

import html.parser
import os
import re
import sys

# The elements whose text is the same in every language.
LITERAL_ELEMENTS = ("code", "pre", "kbd")


class ManualPage(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.language = None
        self.ids = set()
        self.anchors = []  # hrefs within the page
        self.images = []
        self.pages = {}  # href of a visible link to another page -> hreflang
        self.literals = []  # (element, text)
        self._open = []  # [element, text] of the literal elements being read

    def handle_starttag(self, tag, attrs):
        attributes = dict(attrs)
        if tag == "html":
            self.language = attributes.get("lang")
        if "id" in attributes:
            self.ids.add(attributes["id"])
        href = attributes.get("href")
        if href is not None:
            if href.startswith("#"):
                self.anchors.append(href)
            elif tag == "a":
                self.pages[href] = attributes.get("hreflang")
        if tag == "img":
            self.images.append(attributes.get("src"))
        if tag in LITERAL_ELEMENTS:
            self._open.append([tag, ""])

    def handle_endtag(self, tag):
        if self._open and self._open[-1][0] == tag:
            element, text = self._open.pop()
            # Line breaks in running text are the translator's choice.
            if element != "pre":
                text = re.sub(r"\s+", " ", text).strip()
            self.literals.append((element, text))

    def handle_data(self, data):
        for entry in self._open:
            entry[1] += data


def read_page(path):
    page = ManualPage()
    with open(path, encoding="utf-8") as file:
        page.feed(file.read())
    page.close()
    return page


def language_of(name):
    """index.html is Dutch, index.<lang>.html is <lang>."""
    match = re.fullmatch(r"index(?:\.([A-Za-z-]+))?\.html", name)
    if match is None:
        return None
    return match.group(1) or "nl"


def compare(name, items, other_name, other_items, what, problems):
    for item in sorted(set(items) - set(other_items), key=str):
        problems.append(f"{name} has {what} {item!r} that {other_name} lacks")


def main(arguments):
    if len(arguments) != 2:
        print("usage: manual-translations.py <manual folder>", file=sys.stderr)
        return 2
    folder = arguments[1]
    names = sorted(name for name in os.listdir(folder) if language_of(name) is not None)
    if "index.html" not in names or len(names) < 2:
        print(f"{folder}: expected index.html and at least one translation, found {names}")
        return 1
    pages = {name: read_page(os.path.join(folder, name)) for name in names}

    problems = []
    for name, page in pages.items():
        if page.language != language_of(name):
            problems.append(f"{name}: <html lang> is {page.language!r}, "
                            f"expected {language_of(name)!r}")
        for anchor in page.anchors:
            if anchor[1:] not in page.ids:
                problems.append(f"{name}: link {anchor} has no target")
        for other in names:
            if other != name and page.pages.get(other) != language_of(other):
                problems.append(f"{name}: no link to {other} with hreflang="
                                f"\"{language_of(other)}\"")

    base = pages["index.html"]
    for name in names:
        if name == "index.html":
            continue
        page = pages[name]
        for first, first_page, second, second_page in (
                ("index.html", base, name, page), (name, page, "index.html", base)):
            compare(first, first_page.ids, second, second_page.ids, "the id", problems)
            compare(first, first_page.anchors, second, second_page.anchors, "a link to",
                    problems)
            compare(first, first_page.images, second, second_page.images, "the image",
                    problems)
            compare(first, first_page.literals, second, second_page.literals,
                    "the literal text", problems)

    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"manual translations: {', '.join(names)} agree")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
