#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The executable without its window module: a batch run still renames, and a
# window run says on one line what it could not load, with exit status 1.
# Usage: window-module-missing.sh <executable>
set -eu
work="$(mktemp -d "${TMPDIR:-/tmp}/nr-nomodule-XXXXXX")"
trap 'rm -rf "$work"' EXIT
cp "$1" "$work/norvikrename"
mkdir "$work/files"
: >"$work/files/a.txt"
printf '[Filename]\nInsertBefore=1\nInsertBeforeValue="x-"\n' >"$work/rules.ini"
"$work/norvikrename" RENAME=1 PATH="$work/files" NRFILE="$work/rules.ini" PAUSE=0 \
    </dev/null >/dev/null
if [ ! -f "$work/files/x-a.txt" ]; then
    echo "the batch run did not rename without the window module"
    exit 1
fi
status=0
said="$(QT_QPA_PLATFORM=offscreen "$work/norvikrename" </dev/null 2>&1)" || status=$?
if [ "$status" -ne 1 ]; then
    echo "exit status $status, wanted 1"
    exit 1
fi
case "$said" in
"the window module cannot be loaded ($work/norvikrename-window.so: missing;"*) ;;
*)
    echo "unexpected message: $said"
    exit 1
    ;;
esac
echo "without the window module: every check passed"
