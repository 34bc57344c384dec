#!/bin/sh
# The installed layout, the package, the per-user data root and the desktop
# files. Arguments: source folder, build folder.
set -eu
SRC=$1
BUILD=$2
WORK=$(mktemp -d)
trap 'pkill -f "$WORK/dest/usr/bin/norvane" 2>/dev/null || true; rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

echo "== install lists exactly the expected files"
DESTDIR="$WORK/dest" cmake --install "$BUILD" --prefix /usr >/dev/null
(cd "$WORK/dest" && find . -type f | sort) > "$WORK/installed"
(cd "$SRC/modules" && find setting img i18n gun macro -type f ! -name .keep | sed 's|^|./usr/share/norvane/modules/|') > "$WORK/expected"
cat >> "$WORK/expected" <<LIST
./usr/bin/norvane
./usr/bin/norvane-warn
./usr/bin/norvanectl
./usr/lib/udev/rules.d/71-norvane.rules
./usr/share/applications/norvane.desktop
./usr/share/icons/hicolor/scalable/apps/norvane.svg
./usr/share/man/man1/norvane.1
./usr/share/man/man1/norvanectl.1
./usr/share/metainfo/example.norvane.N1.metainfo.xml
LIST
sort -o "$WORK/expected" "$WORK/expected"
diff -u "$WORK/expected" "$WORK/installed" || fail "installed files differ"

echo "== desktop entry and metainfo validate"
desktop-file-validate "$WORK/dest/usr/share/applications/norvane.desktop" || fail desktop-file-validate
appstreamcli validate --no-net "$WORK/dest/usr/share/metainfo/example.norvane.N1.metainfo.xml" || fail appstreamcli
grep -q '^Categories=Settings;HardwareSettings;$' "$WORK/dest/usr/share/applications/norvane.desktop" || fail Categories

echo "== udev rule"
RULE="$WORK/dest/usr/lib/udev/rules.d/71-norvane.rules"
if udevadm verify --help >/dev/null 2>&1; then
  udevadm verify "$RULE" || fail "udevadm verify"
fi
# Every non-comment line: hidraw match, vendor and product, uaccess tag, no MODE.
grep -v '^#' "$RULE" | grep -v '^$' | while read -r line; do
  echo "$line" | grep -Eq '^SUBSYSTEM=="hidraw", ATTRS\{idVendor\}=="[0-9a-f]{4}", ATTRS\{idProduct\}=="[0-9a-f]{4}", TAG\+="uaccess"$' \
    || fail "bad rule line: $line"
done
! grep -q MODE "$RULE" || fail "rule sets a mode"
awk -F= '/^vid=/{v=$2} /^pid=/{print v ":" $2}' "$SRC/modules/setting/apConfig.bin" | while read -r id; do
  vid=${id%:*}; pid=${id#*:}
  grep -q "idVendor}==\"$vid\", ATTRS{idProduct}==\"$pid\"" "$RULE" || fail "rule lacks $id"
done

echo "== first start seeds the per-user tree; a second start keeps a changed value"
# A user of our own: the program is one copy per user and session bus, so a
# program the tester runs must not turn these starts into second copies.
export HOME="$WORK/home" XDG_DATA_HOME="$WORK/home/data" XDG_RUNTIME_DIR="$WORK/run" \
  QT_QPA_PLATFORM=offscreen
unset DBUS_SESSION_BUS_ADDRESS DISPLAY WAYLAND_DISPLAY
mkdir -p "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
USERTREE="$XDG_DATA_HOME/norvane/modules"
# norvanectl doctor reads the device list the installed program would.
doctor_reads() {
  DBUS_SESSION_BUS_ADDRESS="unix:path=$WORK/nobus" "$WORK/dest/usr/bin/norvanectl" doctor \
    >"$WORK/doctor" 2>&1 || true
  grep -q "^Device list: $1 (1 device)$" "$WORK/doctor" || { cat "$WORK/doctor"; fail "doctor: not $1"; }
}
doctor_reads "$WORK/dest/usr/share/norvane/modules/setting/apConfig.bin"
# Starts a program and stops it once its device check ran, which comes after
# the data root was chosen and seeded. Each start writes a new log: the
# shell opens the log in the started child, so a reused log could still
# show the previous start's line and end the wait before this one began.
starts=0
start_until_checked() {
  starts=$((starts + 1))
  log="$WORK/log.$starts"
  "$1" >"$log" 2>&1 &
  pid=$!
  i=0
  until grep -q "Device DisConnect\|Device Connect" "$log" 2>/dev/null; do
    i=$((i + 1)); [ $i -lt 600 ] || { cat "$log"; fail "no device check"; }
    kill -0 "$pid" 2>/dev/null || { cat "$log"; fail "$1 ended before its device check"; }
    sleep 0.1
  done
  kill "$pid"; wait "$pid" 2>/dev/null || true
}
start_installed() { start_until_checked "$WORK/dest/usr/bin/norvane"; }
start_installed
[ -f "$USERTREE/setting/apConfig.bin" ] || fail "per-user tree not seeded"
doctor_reads "$USERTREE/setting/apConfig.bin"
cmp "$USERTREE/setting/apConfigD.bin" "$SRC/modules/setting/apConfigD.bin" || fail "seeded copy differs"
sed -i 's/^name=.*/name=Changed by the user/' "$USERTREE/setting/apConfig.bin"
rm "$USERTREE/setting/apConfigD.bin"
start_installed
grep -q '^name=Changed by the user$' "$USERTREE/setting/apConfig.bin" || fail "a changed value was overwritten"
[ -f "$USERTREE/setting/apConfigD.bin" ] || fail "a missing factory file was not seeded again"

echo "== a portable folder keeps its own modules/"
mkdir -p "$WORK/portable"
cp "$WORK/dest/usr/bin/norvane" "$WORK/portable/"
cp -r "$SRC/modules" "$WORK/portable/modules"
rm -rf "$XDG_DATA_HOME"
start_until_checked "$WORK/portable/norvane"
[ ! -e "$XDG_DATA_HOME/norvane" ] || fail "portable copy used the per-user folder"

echo "== the package"
(cd "$BUILD" && cpack -G DEB -B "$WORK/pkg" >/dev/null) || fail cpack
DEB=$(ls "$WORK"/pkg/*.deb)
dpkg-deb -c "$DEB" | awk '{print $6}' | grep -v '/$' | sort > "$WORK/debfiles"
sed 's|^\./|./|' "$WORK/expected" | diff -u - "$WORK/debfiles" || fail "package contents differ"
DEPENDS=$(dpkg-deb -f "$DEB" Depends)
for dep in libhidapi-hidraw0 libqt6quickwidgets6 libqt6widgets6 libudev1 qml6-module-qtquick fonts-wqy-microhei; do
  echo "$DEPENDS" | grep -q "$dep" || fail "Depends lacks $dep: $DEPENDS"
done
dpkg-deb -f "$DEB" Recommends | grep -q qt6-wayland || fail "Recommends lacks qt6-wayland"
dpkg-deb -I "$DEB" postinst | grep -q 'udevadm trigger --subsystem-match=hidraw' || fail "postinst does not re-trigger hidraw"
! dpkg-deb -c "$DEB" | grep -q norvane-demo || fail "the demo is packaged"

echo "1 passed, 0 failed"
