#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# run-gui-test.sh GUI-STACK SCRIPT PROGRAM: runs one black-box window test
# inside gui-stack. A machine without the tools (the shared gui-stack,
# /usr/bin/python3 with pyatspi, Xvfb, xdotool, D-Bus, the accessibility
# bus) skips the test with exit code 77 instead of failing it.
stack=$1 script=$2 program=$3
skip() { echo "SKIP: $1"; exit 77; }
[ -x "$stack" ] || skip "no $stack"
[ -x /usr/bin/python3 ] || skip "no /usr/bin/python3"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"
for tool in Xvfb xdotool dbus-launch dbus-send; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed"
exec "$stack" /usr/bin/python3 "$script" "$program"
