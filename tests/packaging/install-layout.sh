#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks what a desktop and
# the Help command look for there. Usage: install-layout.sh <build folder>
set -eu
build="$1"
prefix="$(mktemp -d "${TMPDIR:-/tmp}/nr-install-XXXXXX")"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failed=0
for file in \
    bin/norvikrename \
    share/applications/org.norvikrename.NorvikRename.desktop \
    share/metainfo/org.norvikrename.NorvikRename.metainfo.xml \
    share/icons/hicolor/scalable/apps/norvikrename.svg \
    share/kio/servicemenus/norvikrename-here.desktop \
    share/doc/norvikrename/manual/index.html \
    share/doc/norvikrename/manual/index.en.html \
    share/doc/norvikrename/main-window.png \
    share/doc/norvikrename/copyright \
    share/doc/norvikrename/changelog.gz \
    share/man/man1/norvikrename.1.gz \
    share/bash-completion/completions/norvikrename; do
    if [ ! -f "$prefix/$file" ]; then
        echo "missing: $file"
        failed=1
    fi
done
# Help finds the manual relative to the executable.
if [ ! -f "$prefix/bin/../share/doc/norvikrename/manual/index.html" ]; then
    echo "the manual is not where the installed program looks"
    failed=1
fi

if command -v desktop-file-validate >/dev/null 2>&1; then
    if ! desktop-file-validate "$prefix/share/applications/org.norvikrename.NorvikRename.desktop"; then
        failed=1
    fi
    if ! desktop-file-validate "$prefix/share/kio/servicemenus/norvikrename-here.desktop"; then
        failed=1
    fi
else
    echo "desktop-file-validate is not installed: desktop files not validated"
fi

# The installed program runs: a batch rename of one file.
work="$prefix/work folder"
mkdir -p "$work"
: >"$work/a.txt"
printf '[Filename]\nInsertBefore=1\nInsertBeforeValue="x-"\n' >"$prefix/rules.ini"
if ! "$prefix/bin/norvikrename" RENAME=1 PATH="$work" NRFILE="$prefix/rules.ini" PAUSE=0 \
    </dev/null >/dev/null || [ ! -f "$work/x-a.txt" ]; then
    echo "the installed program did not rename"
    failed=1
fi

# The installed program loads its window module: without a display the
# module itself is what says so.
if [ -z "$(find "$prefix" -name norvikrename-window.so)" ]; then
    echo "missing: the window module norvikrename-window.so"
    failed=1
fi
said="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/norvikrename" \
    </dev/null 2>&1)" || true
case "$said" in
"no display:"*) ;;
*)
    echo "the installed program did not load its window module: $said"
    failed=1
    ;;
esac

if [ "$failed" -ne 0 ]; then
    exit 1
fi
echo "install layout: every check passed"
