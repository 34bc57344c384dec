#!/bin/sh
# Sets up, builds and starts the program: the real norvane when a configured
# mouse is attached, otherwise norvane-demo on the virtual mouse.
set -e
cd "$(dirname "$0")/.."
# Only what runs: the two programs, norvanectl and the modules/ tree beside
# them. The tests, benchmarks and helpers come with tools/test.sh.
sh tools/build.sh norvane norvane-demo norvanectl modules_tree
BIN=${BUILD_DIR:-build}/bin
program=norvane-demo
# Each hidraw node names its device as HID_ID=bus:VVVVVVVV:PPPPPPPP.
ids=$(awk -F= '/^vid=/{v=$2} /^pid=/{print toupper(v) ":" toupper($2)}' "$BIN/modules/setting/apConfig.bin")
for uevent in /sys/class/hidraw/*/device/uevent; do
  [ -r "$uevent" ] || continue
  id=$(sed -n 's/^HID_ID=[0-9A-Fa-f]*:0*\([0-9A-Fa-f]*\):0*\([0-9A-Fa-f]*\)$/\1:\2/p' "$uevent" | tr a-f A-F)
  for want in $ids; do
    [ "$(echo "$want" | sed 's/^0*//; s/:0*/:/')" = "$id" ] && program=norvane
  done
done
echo "Starting $program"
if [ -z "$DISPLAY" ] && [ -z "$WAYLAND_DISPLAY" ]; then
  exec xvfb-run -a "$BIN/$program" "$@"
fi
exec "$BIN/$program" "$@"
