#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package of a build with CPack and runs Debian's package
# checker on it, which must report no error and no warning. The build is
# one configured with the prefix /usr, as scripts/package configures it.
# Usage: lintian.sh <build folder>
set -eu
build="$1"
if ! command -v lintian >/dev/null 2>&1; then
    echo "lintian is not installed: the package is not checked"
    exit 77
fi
rm -f "$build"/norvikrename_*.deb
(cd "$build" && cpack -G DEB)
deb="$(ls "$build"/norvikrename_*.deb)"
echo "lintian $deb:"
# Informational notes are shown too; only errors and warnings fail.
lintian --fail-on error,warning --display-info "$deb"
echo "lintian: no error and no warning"
