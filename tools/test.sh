#!/bin/sh
# Sets up, builds and runs every test (headless), then the benchmarks in
# their short mode; then the whole suite again on a build with ASan and
# UBSan, and every fuzz target for a short while.
set -e
cd "$(dirname "$0")/.."
sh tools/build.sh
BUILD_DIR=${BUILD_DIR:-build}
# Input-capture tests need an X server; everything else runs offscreen.
xvfb-run -a -s "-screen 0 1280x800x24" ctest --test-dir "$BUILD_DIR" --output-on-failure -j2
# Recording and window drag on a native Wayland session (headless sway);
# skips with one line where sway cannot start.
timeout 300 sh tools/wayland-e2e/run.sh "$BUILD_DIR"
BENCH_SHORT=1 sh bench/run "$BUILD_DIR"

ASAN_BUILD_DIR=${ASAN_BUILD_DIR:-build-asan}
cmake -S . -B "$ASAN_BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNORVANE_SANITIZE=ON >/dev/null
cmake --build "$ASAN_BUILD_DIR" -j"$(nproc)"
xvfb-run -a -s "-screen 0 1280x800x24" ctest --test-dir "$ASAN_BUILD_DIR" --output-on-failure -j2

sh fuzz/run.sh "${FUZZ_SECONDS:-20}" "${FUZZ_BUILD_DIR:-build-fuzz}"
