#!/bin/sh
# Sets up, builds and runs every test (headless), then the benchmarks in
# their short mode.
set -e
cd "$(dirname "$0")/.."
sh tools/build.sh
BUILD_DIR=${BUILD_DIR:-build}
# Input-capture tests need an X server; everything else runs offscreen.
xvfb-run -a -s "-screen 0 1280x800x24" ctest --test-dir "$BUILD_DIR" --output-on-failure -j2
if [ -f "$BUILD_DIR/bench/run-benchmarks.sh" ]; then
  BENCH_SHORT=1 sh "$BUILD_DIR/bench/run-benchmarks.sh"
fi
