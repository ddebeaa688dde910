#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The AppStream metadata validates without the network, names the menu
# entry of the same application id as its launchable, and the menu entries
# pass the desktop-file validator. Usage: appstream.sh <packaging folder>
set -eu
dir="$1"
id=org.norvikrename.NorvikRename
metainfo="$dir/$id.metainfo.xml"
failed=0
checked=0

if command -v appstreamcli >/dev/null 2>&1; then
    if ! appstreamcli validate --no-net "$metainfo"; then
        failed=1
    fi
    checked=1
else
    echo "appstreamcli is not installed: the AppStream metadata is not validated"
fi
if ! grep -q "<id>$id</id>" "$metainfo" ||
    ! grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"; then
    echo "the metadata does not name $id and its menu entry $id.desktop"
    failed=1
fi
if [ ! -f "$dir/$id.desktop" ]; then
    echo "missing: the menu entry $id.desktop"
    failed=1
fi

if command -v desktop-file-validate >/dev/null 2>&1; then
    for entry in "$dir/$id.desktop" "$dir/norvikrename-here.desktop"; do
        if ! desktop-file-validate "$entry"; then
            failed=1
        fi
    done
    checked=1
else
    echo "desktop-file-validate is not installed: the menu entries are not validated"
fi

if [ "$failed" -ne 0 ]; then
    exit 1
fi
if [ "$checked" -eq 0 ]; then
    exit 77
fi
echo "AppStream metadata and menu entries: valid"
