#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The manual page renders without a warning: through groff with every
# warning on, and through man as Debian's package checker runs it (80
# columns, UTF-8). Usage: man-page.sh <norvikrename.1>
set -eu
page="$1"
if ! command -v groff >/dev/null 2>&1; then
    echo "groff is not installed: the manual page is not checked"
    exit 77
fi
failed=0
said="$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)"
if [ -n "$said" ]; then
    printf 'groff warns:\n%s\n' "$said"
    failed=1
fi
if command -v man >/dev/null 2>&1; then
    said="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 \
        >/dev/null)"
    if [ -n "$said" ]; then
        printf 'man warns:\n%s\n' "$said"
        failed=1
    fi
    text="$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null)"
    for section in NAME SYNOPSIS DESCRIPTION KEYWORDS "BATCH MODE" "EXIT STATUS" FILES \
        ENVIRONMENT EXAMPLES; do
        if ! printf '%s\n' "$text" | grep -q "^$section\$"; then
            echo "missing section: $section"
            failed=1
        fi
    done
    for keyword in PATH= FILTER= NRFILE= RECURSIVE=1 RENAME=1 UNDOFILE= PAUSE=; do
        if ! printf '%s\n' "$text" | grep -q "^ *$keyword"; then
            echo "keyword not described: $keyword"
            failed=1
        fi
    done
fi
if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "manual page: renders without warnings"
