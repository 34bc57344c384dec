#!/bin/sh
# The AT-SPI end-to-end test: run under xvfb-run and dbus-run-session.
# Starts the accessibility bus of this private session, then the test.
#   run.sh BIN_DIR
set -u
LAUNCHER=/usr/libexec/at-spi-bus-launcher
[ -x "$LAUNCHER" ] || { echo "no $LAUNCHER (at-spi2-core)"; exit 77; }
"$LAUNCHER" --launch-immediately &
launcher=$!
trap 'kill "$launcher" 2>/dev/null; wait "$launcher" 2>/dev/null' EXIT
# Qt asks for the accessibility bus once, at start: the bus comes first.
i=0
until dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'; do
  i=$((i + 1)); [ $i -lt 100 ] || { echo "FAIL: the accessibility bus never started"; exit 1; }
  sleep 0.1
done
# The system interpreter: the bindings come from Debian packages.
/usr/bin/python3 "$(dirname "$0")/atspi_e2e.py" "$1"
