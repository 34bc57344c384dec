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
# The system interpreter: the bindings come from Debian packages.
/usr/bin/python3 "$(dirname "$0")/atspi_e2e.py" "$1"
