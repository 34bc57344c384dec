#!/bin/sh
# Builds the fuzz targets with clang and libFuzzer and runs each for SECONDS
# (default 60) on a corpus seeded from the shipped files; prints the
# executions of every target. Fails when a target finds a crash; the input
# is kept in BUILD_DIR/fuzz/crashes/.
#   sh fuzz/run.sh [SECONDS] [BUILD_DIR]    (BUILD_DIR defaults to build-fuzz)
set -e
EACH=${1:-60}
SRC=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${2:-${FUZZ_BUILD_DIR:-$SRC/build-fuzz}}
# The targets change into a directory of their own before reading the
# corpus, so every path they get is absolute.
mkdir -p "$BUILD"
BUILD=$(cd "$BUILD" && pwd)
JOBS=${JOBS:-$(nproc)}

cmake -S "$SRC" -B "$BUILD" -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNORVANE_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$BUILD" --target fuzz_all -j"$JOBS"

OUT=$BUILD/fuzz
mkdir -p "$OUT/crashes"
seed() { # target, files...
  t=$1; shift
  mkdir -p "$OUT/corpus/$t"
  for f in "$@"; do [ -f "$f" ] && cp "$f" "$OUT/corpus/$t/seed-$(basename "$f")"; done
  return 0
}
seed fuzz_devicelist "$SRC"/modules/setting/apConfig.bin "$SRC"/modules/setting/apConfigD.bin
seed fuzz_lang "$SRC"/modules/i18n/*.ini
seed fuzz_namelist "$SRC"/modules/setting/name.bin
seed fuzz_macro "$SRC"/fuzz/seeds/macro/*
seed fuzz_copydata "$SRC"/fuzz/seeds/copydata/*
seed fuzz_event "$SRC"/fuzz/seeds/event/*
seed fuzz_scramble "$SRC"/fuzz/seeds/scramble/*

# Qt's and fontconfig's own leaks at exit are not findings.
export LSAN_OPTIONS="suppressions=$SRC/tests/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen
failed=0
summary=$OUT/summary.txt
printf '%-18s %12s %8s  %s\n' target executions seconds result >"$summary"
for t in fuzz_devicelist fuzz_lang fuzz_macro fuzz_namelist fuzz_copydata fuzz_event fuzz_scramble; do
  log=$OUT/$t.log
  status=ok
  "$OUT/$t" -max_total_time="$EACH" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$OUT/crashes/$t-" "$OUT/corpus/$t" >"$log" 2>&1 || status=failed
  runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -1)
  [ -n "$runs" ] || runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ "$status" = failed ]; then
    failed=1
    status="CRASH, see $log"
  fi
  printf '%-18s %12s %8s  %s\n' "$t" "${runs:-?}" "$EACH" "$status" >>"$summary"
done
cat "$summary"
exit $failed
