#!/bin/sh
# norvanectl doctor on emulated sysfs trees (umockdev): no mouse, a usable
# mouse, a mouse this user cannot open, and a mouse whose interfaces lack the
# configured usage page. Argument: the folder holding norvanectl.
set -u
BIN=$1
command -v umockdev-run >/dev/null || { echo "SKIP: umockdev-run is not installed"; exit 77; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; cat "$WORK/out"; exit 1; }

# A copy of the tool beside a writable modules/ tree is its data root.
mkdir -p "$WORK/root/modules/setting"
cp "$BIN/norvanectl" "$WORK/root/"
cat >"$WORK/root/modules/setting/apConfig.bin" <<'INI'
[common]
deviceCount=1

[0]
type=1
vid=3b1f
pid=0a01
usagePage=ff00
usage=ff00
usagePage2=ff01
usage2=ff01
INI

# Command interface: vendor page ff00, 8-byte feature, 32-byte output and
# input reports. Event interface: page ff01, a 4-byte input report.
CMD=0600FF0A00FFA10115002600FF7508950809 # continues below
CMD=${CMD}01B102952009029102952009038102C0
EVT=0601FF0A01FFA10115002600FF750895040901810 # continues below
EVT=${EVT}2C0
# A standard mouse: Generic Desktop, Mouse.
MOUSE=05010902A1010901A10005091901290315002501950375018102C0C0

# usb_device VID PID NAME, then one interface per "NUMBER DESCRIPTOR" pair.
tree() {
  vid=$1 pid=$2 name=$3
  shift 3
  usb=/devices/pci0000:00/0000:00:14.0/usb1/1-3
  VID=$(echo "$vid" | tr a-f A-F) PID=$(echo "$pid" | tr a-f A-F)
  while [ $# -ge 2 ]; do
    n=$1 rd=$2
    shift 2
    hid=$usb/1-3:1.$n/0003:$VID:$PID.000$((n + 1))
    cat <<DEV
P: $hid/hidraw/hidraw$n
N: hidraw$n
E: DEVNAME=/dev/hidraw$n
E: MAJOR=240
E: MINOR=$n
E: SUBSYSTEM=hidraw
A: dev=240:$n\n
L: device=../../../0003:$VID:$PID.000$((n + 1))

P: $hid
E: DRIVER=hid-generic
E: HID_ID=0003:0000$VID:0000$PID
E: HID_NAME=$name
E: HID_UNIQ=
E: HID_PHYS=usb-0000:00:14.0-3/input$n
E: SUBSYSTEM=hid
H: report_descriptor=$rd

P: $usb/1-3:1.$n
E: DEVTYPE=usb_interface
E: SUBSYSTEM=usb
A: bInterfaceNumber=0$n\n

DEV
  done
  cat <<DEV
P: $usb
E: DEVTYPE=usb_device
E: SUBSYSTEM=usb
A: idVendor=$vid\n
A: idProduct=$pid\n
A: product=$name\n

DEV
}

# doctor TREE EXPECTED-STATUS [locked]: runs the check in the tree; "locked"
# makes its hidraw nodes 0600 and checks as a user who does not own them.
doctor() {
  umockdev-run -d "$WORK/$1.umockdev" -- sh -c '
    if [ -n "$1" ]; then
      for n in "$UMOCKDEV_DIR"/dev/hidraw*; do chmod 0600 "$(readlink -f "$n")"; done
      if [ "$(id -u)" -eq 0 ]; then
        # Root opens any node whatever its bits: check as nobody instead. The
        # nodes are ptys, so the kernel refuses the open; the emulation'"'"'s own
        # socket is opened up, as its preload connects to it on every open.
        chmod 0755 "$UMOCKDEV_DIR" "${2%/*}"
        chmod -R a+rwX "$UMOCKDEV_DIR/ioctl"
        chown -R 65534:65534 "$2"
        exec setpriv --reuid=65534 --regid=65534 --clear-groups "$2/norvanectl" doctor
      fi
      for n in "$UMOCKDEV_DIR"/dev/hidraw*; do chmod 0000 "$(readlink -f "$n")"; done
      exec "$2/norvanectl" doctor
    fi
    # This shell holds the first node open, as a running program would.
    exec 3<>/dev/hidraw0
    "$2/norvanectl" doctor 3<&-' sh "${3:-}" "$WORK/root" >"$WORK/out" 2>&1
  status=$?
  [ "$status" -eq "$2" ] || fail "$1: exit status $status, not $2"
}
expect() { grep -q -- "$1" "$WORK/out" || fail "$2"; }

# Neither the tool's bus nor ASan's link-order check stands in the way of the
# preloaded emulation.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$WORK/nobus
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"

tree 046d c077 "Other Mouse" 0 "$MOUSE" >"$WORK/nomouse.umockdev"
doctor nomouse 1
expect "Not plugged in: no hidraw node belongs to 3b1f:0a01" "no mouse: not reported missing"
expect "Result: no configured mouse is usable" "no mouse: result"
tree 3b1f 0a01 "Norvane N1" >"$WORK/nohidraw.umockdev"
doctor nohidraw 1
expect "Plugged in on USB: Norvane N1 (1-3), but the kernel gave it no hidraw node" \
  "no hidraw: the USB device is not reported"

tree 3b1f 0a01 "Norvane N1" 0 "$CMD" 1 "$EVT" 2 "$MOUSE" >"$WORK/found.umockdev"
doctor found 0
expect "Plugged in: Norvane N1 (3b1f:0a01)" "found: not plugged in"
expect "/dev/hidraw0 (USB interface 0): usage pages ff00/ff00, the command interface" \
  "found: command node and its usage"
expect "/dev/hidraw1 (USB interface 1): usage pages ff01/ff01, the event interface" \
  "found: event node and its usage"
expect "/dev/hidraw2 (USB interface 2): usage pages 0001/0002, 0001/0001$" "found: mouse node"
[ "$(grep -c 'You can open it' "$WORK/out")" -eq 3 ] || fail "found: not every node opens"
expect "Usable: the command interface is /dev/hidraw0" "found: not usable"
expect "Open in: sh (pid [0-9]*)$" "found: the shell holding the node is not named"

doctor found 1 locked
expect "You cannot open it: Permission denied" "no access: open not refused"
expect "node: c[-rwx]\{9\} " "no access: the node's mode and owner are not shown"
expect "71-norvane.rules" "no access: the rule file is not named"
expect "udevadm control --reload-rules && sudo udevadm trigger" "no access: no reload"
expect "unplug the mouse and plug it in again" "no access: no replug"
expect "Not usable: the command interface /dev/hidraw0 cannot be opened" "no access: result"
[ "$(grep -c 'why: ' "$WORK/out")" -eq 1 ] || fail "no access: the reasons are not said once"

# The command interface names its collection ff02/0001 (a four-byte usage).
tree 3b1f 0a01 "Norvane N1" 0 "$(echo "$CMD" | sed 's/^0600FF0A00FF/0B010002FF/')" \
  1 "$EVT" >"$WORK/otherpage.umockdev"
doctor otherpage 1
expect "/dev/hidraw0 (USB interface 0): usage pages ff02/0001$" "other page: not listed"
expect "Not usable: no interface carries the command usage ff00/ff00" "other page: result"
echo PASS
