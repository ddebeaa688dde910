#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The check of the manual's translations fails on pages that disagree: each
# case spoils a copy of the manual and expects the check to say so.
# Usage: manual-translations-faults.sh <manual-translations.py> <manual folder>
set -eu
check="$1"
manual="$2"
work="$(mktemp -d "${TMPDIR:-/tmp}/nr-manual-XXXXXX")"
trap 'rm -rf "$work"' EXIT

failed=0
# expect_failure <description> <file> <python expression turning s into the spoiled page>
expect_failure() {
    rm -rf "$work/manual"
    cp -R "$manual" "$work/manual"
    python3 - "$work/manual/$2" "$3" <<'PY'
import sys
path, change = sys.argv[1], sys.argv[2]
with open(path, encoding="utf-8") as file:
    s = file.read()
spoiled = eval(change)
if spoiled == s:
    sys.exit("the change did not alter " + path)
with open(path, "w", encoding="utf-8") as file:
    file.write(spoiled)
PY
    if python3 "$check" "$work/manual" >"$work/said" 2>&1; then
        echo "not caught: $1"
        failed=1
    elif ! grep -q . "$work/said"; then
        echo "caught without saying why: $1"
        failed=1
    fi
}

# The untouched copy passes, or the cases below prove nothing.
cp -R "$manual" "$work/clean"
if ! python3 "$check" "$work/clean" >/dev/null; then
    echo "the manual as it is does not pass"
    failed=1
fi

expect_failure "a section only in the Dutch page" index.html \
    's.replace("</main>", "<h2 id=\"nieuw\">10. Nieuw</h2>\n<p><code>&lt;NEW&gt;</code></p>\n</main>")'
expect_failure "a section missing from the English page" index.en.html \
    's[:s.index("<h3 id=\"tag-fn\">")] + s[s.index("<h2 id=\"tagmenu\">"):]'
expect_failure "a tag example changed in the English page" index.en.html \
    's.replace("<code>&lt;EN:Z3&gt;</code>", "<code>&lt;EN:Z4&gt;</code>", 1)'
expect_failure "a table row missing from the Dutch page" index.html \
    's.replace("<tr><td><code>MatchCase</code></td><td>Hoofd-/kleine letters in zoektekst</td></tr>\n", "")'
expect_failure "a key missing from the English page" index.en.html \
    's.replace("<kbd>Ctrl+Alt+E</kbd>", "Ctrl+Alt+E", 1)'
expect_failure "the English page calls itself Dutch" index.en.html \
    's.replace("<html lang=\"en\">", "<html lang=\"nl\">")'
expect_failure "the Dutch page has no link to the English one" index.html \
    's.replace("<a href=\"index.en.html\" hreflang=\"en\" lang=\"en\">English</a>", "English")'
expect_failure "a link without a target in the English page" index.en.html \
    's.replace("href=\"#batch\"", "href=\"#batchmode\"")'
expect_failure "another image in the English page" index.en.html \
    's.replace("src=\"../main-window.png\"", "src=\"../main-window-en.png\"")'

if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "manual translations check: every fault caught"
