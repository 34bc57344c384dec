#!/bin/sh
# Lints the interface's QML and fails when qmllint reports more warnings, or
# more unqualified accesses, than tools/qmllint-budget allows, or when the
# sources hold more "qmllint disable" markers than it allows (a marker hides
# warnings from the counts). The budget only goes down: lower it whenever a
# change removes warnings.
#   sh tools/qmllint-budget.sh
# The folders import one another by path ("../basic"), so qmllint reads the
# sources as they stand, with nothing built: the same run a newcomer gets
# from "qmllint" over modules/qml. (The modules' generated lint targets map
# the files into resource space, where Qt 6.4's qmllint cannot follow
# imports by path.)
cd "$(dirname "$0")/.."
LINT=${QMLLINT:-/usr/lib/qt6/bin/qmllint}
[ -x "$LINT" ] || { echo "qmllint-budget: no $LINT" >&2; exit 2; }

# basic/qmldir declares the Theme singleton for tools that read the sources;
# it must name every file of the folder, or those types go unresolved.
for f in modules/qml/basic/*.qml; do
  name=$(basename "$f")
  grep -q " $name\$" modules/qml/basic/qmldir ||
    { echo "qmllint-budget: modules/qml/basic/qmldir does not list $name" >&2; exit 1; }
done

out=$(mktemp)
trap 'rm -f "$out"' EXIT
# qmllint exits non-zero on any warning; the counts below decide.
(cd modules/qml && "$LINT" $(find . -name '*.qml' | sort)) >"$out" 2>&1 || true
warnings=$(grep -c '^Warning: ' "$out")
unqualified=$(grep -c '^Warning: .*: Unqualified access' "$out")
max_warnings=$(sed -n 's/^warnings //p' tools/qmllint-budget)
max_unqualified=$(sed -n 's/^unqualified //p' tools/qmllint-budget)
markers=$(grep -r --include='*.qml' 'qmllint disable' modules/qml | wc -l)
max_markers=$(sed -n 's/^markers //p' tools/qmllint-budget)
echo "qmllint: $warnings warnings (budget $max_warnings), $unqualified unqualified accesses (budget $max_unqualified), $markers disable markers (budget $max_markers)"
if [ "$warnings" -gt "$max_warnings" ] || [ "$unqualified" -gt "$max_unqualified" ]; then
  grep -A2 '^Warning: ' "$out" >&2
  echo "qmllint-budget: over budget" >&2
  exit 1
fi
if [ "$markers" -gt "$max_markers" ]; then
  grep -rn 'qmllint disable' --include='*.qml' modules/qml >&2
  echo "qmllint-budget: too many disable markers" >&2
  exit 1
fi
