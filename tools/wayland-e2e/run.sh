#!/bin/sh
# End to end on a native Wayland session: headless sway, norvane-demo as a
# Wayland client (qt6-wayland), and a virtual keyboard (with the standard
# evdev/pc105/us keymap) and pointer of our own (vinput.c). Checks that
# recording "hello" in the macro editor stores the ten key actions, and that
# dragging the window's background moves the window (sway's tree), also when
# the drag starts on a double click's second press.
#
#   sh tools/wayland-e2e/run.sh [BUILD_DIR]
#
# sway refuses to run as root: run as root, the script runs sway and the
# demo as the user norvane-e2e (created when missing). Where sway cannot
# start it prints one "SKIP" line and exits 0; a failed check exits 1.
# Every step is bounded by a timeout.
set -u
cd "$(dirname "$0")/../.."
BUILD_DIR=${1:-${BUILD_DIR:-build}}
E2E_USER=norvane-e2e

say() { echo "wayland-e2e: $*"; }
skip() {
  say "SKIP: $*"
  exit 0
}

for tool in sway swaymsg jq cc pkg-config timeout; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
pkg-config --exists wayland-client xkbcommon || skip "libwayland-dev or libxkbcommon-dev missing"
[ -x "$BUILD_DIR/bin/norvane-demo" ] || skip "no $BUILD_DIR/bin/norvane-demo (build first)"
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
  skip "qt6-wayland is not installed"

WORK=$(mktemp -d /tmp/norvane-e2e.XXXXXX)
PIDS=
cleanup() {
  # Each is a `timeout`, which passes the signal on to its program.
  for pid in $PIDS; do kill "$pid" 2>/dev/null; done
  for pid in $PIDS; do wait "$pid" 2>/dev/null; done
  rm -rf "$WORK"
}
trap cleanup EXIT INT TERM
fail() {
  say "FAIL: $*"
  for log in sway demo; do
    echo "--- $log log (last lines)"
    tail -n 30 "$WORK/$log.log" 2>/dev/null
  done
  exit 1
}

cc -O2 -o "$WORK/vinput" tools/wayland-e2e/vinput.c $(pkg-config --cflags --libs wayland-client xkbcommon) ||
  fail "cannot build vinput"
# A copy of the demo and its data root, so recordings never touch the build.
mkdir -p "$WORK/app" "$WORK/run" "$WORK/home"
cp -r "$BUILD_DIR/bin/norvane-demo" "$BUILD_DIR/bin/modules" "$WORK/app/"
rm -f "$WORK/app/modules/macro/"*.bin
cat >"$WORK/sway.conf" <<'EOF'
output * resolution 1600x900 position 0 0
default_border none
focus_follows_mouse no
xwayland disable
EOF

RUN=
if [ "$(id -u)" -eq 0 ]; then
  id "$E2E_USER" >/dev/null 2>&1 ||
    useradd --system --no-create-home --shell /usr/sbin/nologin "$E2E_USER" ||
    skip "cannot create the user $E2E_USER"
  chown -R "$E2E_USER" "$WORK"
  chmod 0711 "$WORK"
  RUN="setpriv --reuid=$E2E_USER --regid=$E2E_USER --init-groups"
fi
chmod 0700 "$WORK/run"
ENV="env -i PATH=/usr/bin:/bin HOME=$WORK/home XDG_RUNTIME_DIR=$WORK/run"

$RUN $ENV WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
  timeout 150 sway -c "$WORK/sway.conf" >"$WORK/sway.log" 2>&1 &
PIDS="$PIDS $!"
i=0
while [ $i -lt 50 ]; do
  SOCK=$(ls "$WORK/run"/sway-ipc.*.sock 2>/dev/null | head -n 1)
  DISPLAY_NAME=$(cd "$WORK/run" && ls wayland-* 2>/dev/null | grep -v lock | head -n 1)
  [ -n "$SOCK" ] && [ -n "$DISPLAY_NAME" ] && break
  sleep 0.2
  i=$((i + 1))
done
[ -n "${SOCK:-}" ] && [ -n "${DISPLAY_NAME:-}" ] || {
  tail -n 5 "$WORK/sway.log"
  skip "headless sway did not start"
}
WENV="$ENV WAYLAND_DISPLAY=$DISPLAY_NAME SWAYSOCK=$SOCK"
sm() { $RUN $WENV timeout 5 swaymsg "$@"; }
input() { $RUN $WENV timeout 30 "$WORK/vinput" screen 1600 900 "$@"; }

$RUN $WENV QT_QPA_PLATFORM=wayland QT_QUICK_BACKEND=software \
  timeout 120 "$WORK/app/norvane-demo" --state macro >"$WORK/demo.log" 2>&1 &
PIDS="$PIDS $!"

# Polls a condition for up to $1 tenths of a second.
wait_for() {
  tries=$1
  shift
  while [ "$tries" -gt 0 ]; do
    "$@" && return 0
    sleep 0.1
    tries=$((tries - 1))
  done
  return 1
}

# The demo's window and its position on the output.
geometry() {
  sm -t get_tree | jq -r '[recurse(.nodes[]?, .floating_nodes[]?)
    | select(.app_id != null and (.app_id | test("norvane")))][0]
    | if . == null then "" else "\(.rect.x) \(.rect.y) \(.type)" end'
}
has_window() { GEOM=$(geometry) && [ -n "$GEOM" ]; }
GEOM=
wait_for 300 has_window || fail "the demo's window never appeared"
grep -q "keys are recorded while the program's window has focus" "$WORK/demo.log" ||
  fail "the demo does not capture in its window"
say "window at $GEOM"
set -- $GEOM
WX=$1 WY=$2
wait_for 300 grep -q "Demo state entered" "$WORK/demo.log" || fail "the macro editor never opened"
sleep 0.5 # its first frame

# Recording: New (creates and selects Macro_0), Start Record, the keys,
# Stop Record.
NEW="$(($WX + 240)) $(($WY + 524))"
RECORD="$(($WX + 442)) $(($WY + 524))"
input at $NEW press release wait 300 at $RECORD press release wait 300 \
  key h key e key l key l key o wait 300 at $RECORD press release ||
  fail "vinput could not type"
MACRO="$WORK/app/modules/macro/Macro_0.bin"
WANT="1,H 2,H 1,E 2,E 1,L 2,L 1,L 2,L 1,O 2,O "
rows() {
  ROWS=$(sed -n '/^\[macro\]/,/^\[/p' "$MACRO" 2>/dev/null | grep -E '^[0-9]+=' | sort -n |
    sed 's/^[0-9]*=//; s/"//g' | tr '\n' ' ')
  [ "$ROWS" = "$WANT" ]
}
wait_for 50 rows || fail "recorded [$ROWS], expected [$WANT]"
say "PASS: recording stored: $ROWS"

# Drags from (X, Y) of the window by six steps of (20, 10), then checks in
# sway's tree that the window followed; sway starts the move at the first
# motion it sees, so a step may be lost. Steps given as $4 come before the
# drag's press ("press release": the drag starts on a double click's second
# press).
drag() {
  input at $(($WX + $1)) $(($WY + $2)) ${4:-} press by 20 10 by 20 10 by 20 10 by 20 10 by 20 10 \
    by 20 10 release || fail "vinput could not drag"
  DX=0 DY=0
  wait_for 30 moved || fail "the window moved by ($DX, $DY), expected about (120, 60)"
  say "PASS: a drag on the $3 moved the window by ($DX, $DY)"
  WX=$(($WX + $DX)) WY=$(($WY + $DY))
}
moved() {
  set -- $(geometry)
  [ $# -ge 2 ] || return 1
  DX=$(($1 - WX)) DY=$(($2 - WY))
  [ $DX -ge 80 ] && [ $DX -le 130 ] && [ $DY -ge 40 ] && [ $DY -le 70 ]
}
drag 60 60 "mask beside the macro editor"

# The assignment dialog's two captures: close the macro editor, give key 2
# the fire key K and key 3 the combination LCtrl + C, and save.
at() { echo "at $(($WX + $1)) $(($WY + $2)) press release wait 300"; }
CLOSE=$(at 695 137)
input $(at 807 115) $(at 138 166) $(at 447 325) key k wait 200 $CLOSE \
  $(at 138 191) $(at 447 435) key 29 key c wait 200 $(at 531 435) $CLOSE $(at 967 619) ||
  fail "vinput could not assign"
PROFILE="$WORK/app/modules/setting/p1.bin"
assigned() {
  KEYS=$(sed -n '/^\[mouseKeyMatrix\]/,/^\[/p' "$PROFILE" | grep -E '^[12]=' | sort | tr '\n' ' ')
  [ "$KEYS" = "1=1, 14, 10, 0 2=2, 1, 6, 0 " ]
}
wait_for 50 assigned || fail "key 2 and 3 saved as [$KEYS], expected fire K and LCtrl + C"
say "PASS: fire key and combination captured: $KEYS"

drag 120 600 "window's background"
drag 120 600 "window's background from a double click" "press release"
