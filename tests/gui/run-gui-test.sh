#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# run-gui-test.sh GUI-STACK SCRIPT PROGRAM: runs one black-box window test
# inside gui-stack (tests/gui/gui-stack). A machine without the tools
# (/usr/bin/python3 with pyatspi, Xvfb, xauth, xdotool, D-Bus, the
# accessibility bus; all of them in scripts/install-deps) skips the test with
# exit code 77 instead of failing it.
stack=$1 script=$2 program=$3
skip() { echo "SKIP: $1 (scripts/install-deps installs it)"; exit 77; }
[ -f "$stack" ] || { echo "no $stack"; exit 1; }
[ -x /usr/bin/python3 ] || skip "no /usr/bin/python3"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"
for tool in Xvfb:xvfb xauth:xauth xdotool:xdotool dbus-daemon:dbus-daemon dbus-send:dbus-bin \
            setsid:util-linux; do
    command -v "${tool%%:*}" >/dev/null 2>&1 || skip "${tool##*:} is not installed"
done
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed"
exec sh "$stack" /usr/bin/python3 "$script" "$program"
