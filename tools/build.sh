#!/bin/sh
# Installs the build's Debian packages and builds into build/ (or $BUILD_DIR):
# every target, or only the targets named.
#   sh tools/build.sh [TARGET...]
set -e
cd "$(dirname "$0")/.."
sh tools/install-deps.sh
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} >/dev/null
if [ $# -gt 0 ]; then
  cmake --build "$BUILD_DIR" -j"$(nproc)" --target "$@"
else
  cmake --build "$BUILD_DIR" -j"$(nproc)"
fi
