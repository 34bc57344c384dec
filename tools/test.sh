#!/bin/sh
# Sets up, builds and runs every test (headless), then the benchmarks in
# their short mode; then the whole suite again on a build with ASan and
# UBSan, the device tests on a build with TSan, and every fuzz target for a
# short while.
set -e
cd "$(dirname "$0")/.."
# Every target: the programs, the tests, the benchmarks and their helpers.
sh tools/build.sh
BUILD_DIR=${BUILD_DIR:-build}
# Input-capture tests need an X server; everything else runs offscreen.
xvfb-run -a -s "-screen 0 1280x800x24 -noreset" ctest --test-dir "$BUILD_DIR" --output-on-failure -j2
# qmllint over the interface's QML sources, within tools/qmllint-budget.
sh tools/qmllint-budget.sh
# Recording and window drag on a native Wayland session (headless sway);
# skips with one line where sway cannot start.
timeout 300 sh tools/wayland-e2e/run.sh "$BUILD_DIR"
BENCH_SHORT=1 sh bench/run "$BUILD_DIR"

ASAN_BUILD_DIR=${ASAN_BUILD_DIR:-build-asan}
cmake -S . -B "$ASAN_BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNORVANE_SANITIZE=ON >/dev/null
cmake --build "$ASAN_BUILD_DIR" -j"$(nproc)"
xvfb-run -a -s "-screen 0 1280x800x24 -noreset" ctest --test-dir "$ASAN_BUILD_DIR" --output-on-failure -j2

# ThreadSanitizer on the device tests only: the report watch is the one
# thread beside the GUI thread, and only those targets are built.
TSAN_BUILD_DIR=${TSAN_BUILD_DIR:-build-tsan}
TSAN_TESTS="tst_transport tst_commands tst_watch tst_faults tst_vmouse bench_soak"
cmake -S . -B "$TSAN_BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNORVANE_TSAN=ON >/dev/null
# shellcheck disable=SC2086
cmake --build "$TSAN_BUILD_DIR" -j"$(nproc)" --target $TSAN_TESTS
ctest --test-dir "$TSAN_BUILD_DIR" --output-on-failure -j2 \
  -R "^($(echo $TSAN_TESTS | tr ' ' '|'))(_tsan)?\$"

sh fuzz/run.sh "${FUZZ_SECONDS:-20}" "${FUZZ_BUILD_DIR:-build-fuzz}"
