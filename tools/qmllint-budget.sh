#!/bin/sh
# Lints the interface's QML modules and fails when qmllint reports more
# warnings, or more unqualified accesses, than tools/qmllint-budget allows.
# The budget only goes down: lower it whenever a change removes warnings.
#   sh tools/qmllint-budget.sh [BUILD_DIR]
cd "$(dirname "$0")/.."
BUILD=${1:-${BUILD_DIR:-build}}
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for module in qml_main qml_basic qml_panels qml_common; do
  # qmllint exits non-zero on any warning; the counts below decide.
  cmake --build "$BUILD" --target "${module}_qmllint" >>"$out" 2>&1 || true
done
warnings=$(grep -c '^Warning: ' "$out")
unqualified=$(grep -c '^Warning: .*: Unqualified access' "$out")
if ! grep -q 'qmllint' "$out" && [ "$warnings" -eq 0 ]; then
  cat "$out" >&2
  echo "qmllint-budget: qmllint did not run" >&2
  exit 2
fi
max_warnings=$(sed -n 's/^warnings //p' tools/qmllint-budget)
max_unqualified=$(sed -n 's/^unqualified //p' tools/qmllint-budget)
echo "qmllint: $warnings warnings (budget $max_warnings), $unqualified unqualified accesses (budget $max_unqualified)"
if [ "$warnings" -gt "$max_warnings" ] || [ "$unqualified" -gt "$max_unqualified" ]; then
  grep '^Warning: ' "$out" >&2
  echo "qmllint-budget: over budget" >&2
  exit 1
fi
