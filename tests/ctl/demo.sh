#!/bin/sh
# The program as shipped answers norvanectl: norvane-demo on this private
# session bus (run under dbus-run-session). Argument: the folder of both.
set -u
BIN=$1
LOG=$(mktemp)
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; rm -f "$LOG"' EXIT
fail() { echo "FAIL: $*"; cat "$LOG"; exit 1; }

"$BIN/norvanectl" status >/dev/null 2>&1
[ $? -eq 2 ] || fail "status without the program is not exit status 2"

QT_QPA_PLATFORM=offscreen "$BIN/norvane-demo" >"$LOG" 2>&1 &
pid=$!
i=0
until "$BIN/norvanectl" status --json 2>/dev/null | grep -q '"profile":0'; do
  i=$((i + 1)); [ $i -lt 300 ] || fail "the demo never answered on the bus"
  sleep 0.1
done
# The power-on lock refuses requests until it ends.
i=0
until "$BIN/norvanectl" dpi-stage 2 2>/dev/null; do
  i=$((i + 1)); [ $i -lt 100 ] || fail "dpi-stage 2 was never accepted"
  sleep 0.1
done
"$BIN/norvanectl" status | grep -q '^DPI stage:   2 of ' || fail "status does not show stage 2"
"$BIN/norvanectl" dpi-stage 9 2>/dev/null
[ $? -eq 1 ] || fail "a stage outside the count is not exit status 1"
echo "PASS"
