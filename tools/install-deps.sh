#!/bin/sh
# Installs the Debian 12 packages that building, running and testing need.
set -e
SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
PKGS="build-essential cmake pkg-config clang-format
  qt6-base-dev qt6-declarative-dev qt6-svg-dev libgl-dev
  qml6-module-qtquick qml6-module-qtquick-window qml6-module-qtqml-workerscript
  qml6-module-qttest qml6-module-qtquick-layouts qml6-module-qtqml qml6-module-qtqml-models
  libhidapi-dev libudev-dev libx11-dev libxi-dev libglib2.0-dev
  xvfb xauth xdotool fonts-wqy-microhei dbus-daemon dbus-bin
  qt6-wayland sway jq libwayland-dev libxkbcommon-dev
  desktop-file-utils appstream dpkg-dev file
  clang-14 libclang-rt-14-dev umockdev libumockdev-dev
  at-spi2-core python3-gi gir1.2-atspi-2.0 python3-pyatspi"
export DEBIAN_FRONTEND=noninteractive
missing=
for p in $PKGS; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $p"
done
if [ -n "$missing" ]; then
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends $missing
fi
