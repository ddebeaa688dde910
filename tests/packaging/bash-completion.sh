#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The bash completion of the command line: the completion function is
# called as bash calls it, with COMP_WORDS and COMP_CWORD as readline splits
# the line ("=" is a word break), and its replies are compared.
# Usage: bash-completion.sh <completion file>
set -eu
# shellcheck source=/dev/null
source "$1"

work="$(mktemp -d "${TMPDIR:-/tmp}/nr-completion-XXXXXX")"
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir photos "photos 2004" music
: >rules.ini
: >notes.txt

failed=0
# expect "<expected replies, one line each>" word...: completes the last word.
expect() {
    local expected="$1"
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _norvikrename || true
    local got
    got="$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort)"
    if [ "$got" != "$expected" ]; then
        printf 'completing [%s]:\n  expected: %s\n  got:      %s\n' "$*" \
            "$(printf '%s' "$expected" | tr '\n' '|')" "$(printf '%s' "$got" | tr '\n' '|')"
        failed=1
    fi
}
lines() { printf '%s\n' "$@" | LC_ALL=C sort; }

# No "=" yet: the keywords, matched without regard to case.
expect "$(lines FILTER= NRFILE= PATH= PAUSE= RECURSIVE= RENAME= UNDOFILE=)" norvikrename ""
expect "$(lines RECURSIVE= RENAME=)" norvikrename RE
expect "$(lines PATH= PAUSE=)" norvikrename pa
expect "$(lines UNDOFILE=)" norvikrename RENAME = 1 UN
expect "" norvikrename X

# PATH=: folders only.
expect "$(lines music photos "photos 2004")" norvikrename PATH =
expect "$(lines photos "photos 2004")" norvikrename PATH = ph
expect "$(lines music photos "photos 2004")" norvikrename path =

# NRFILE= and UNDOFILE=: files (and folders to go into).
expect "$(lines rules.ini)" norvikrename NRFILE = ru
expect "$(lines music notes.txt photos "photos 2004" rules.ini)" norvikrename RENAME = 1 UNDOFILE =
expect "$(lines notes.txt)" norvikrename UNDOFILE = no

# RENAME= and RECURSIVE=: 1; PAUSE=: 0.
expect "1" norvikrename RENAME =
expect "1" norvikrename RECURSIVE =
expect "0" norvikrename PAUSE =
expect "0" norvikrename RENAME = 1 PAUSE =
# FILTER=: a mask of one's own, nothing offered.
expect "" norvikrename FILTER =

# Without "=" among the word breaks the word holds its key.
expect "PATH=music/" norvikrename PATH=mu
expect "NRFILE=rules.ini " norvikrename NRFILE=ru
expect "RENAME=1" norvikrename RENAME=

# Loaded the way bash-completion loads it, the function is the one
# registered for the command.
if [ "$(complete -p norvikrename)" != "complete -F _norvikrename norvikrename" ]; then
    echo "the completion is not registered for norvikrename"
    failed=1
fi

if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "bash completion: every check passed"
