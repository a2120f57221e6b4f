#!/usr/bin/env bash
# run_whole_programs.sh <build-dir> <jobs>
# Runs every test program of <build-dir>/tests once as a whole (each in its
# own scratch folders, through run_isolated.sh), <jobs> at a time, the ones
# marked slow first. The sanitizer build uses it: starting a sanitized
# program costs far more than most of its tests, so one start per program
# instead of one per test saves most of that pass.
# Fails if any program fails (its whole output is shown) or if fewer tests
# ran than CTest lists outside the benchmarks, so no program is ever missed.
set -euo pipefail
build="$(cd "$1" && pwd)"
jobs="$2"
here="$(cd "$(dirname "$0")" && pwd)"
tests="$build/tests"
logs=$(mktemp -d "${TMPDIR:-/tmp}/kw3700-whole.XXXXXX")
trap 'rm -rf "$logs"' EXIT

# Every program that lists its tests to CTest leaves a "<program>[1]_include.cmake"
# beside it (sub-folders too); the slow ones carry a cost in their labels
# file. A program is named by its path below tests/.
slow=() rest=()
while IFS= read -r f; do
  dir=$(dirname "$f")
  base=$(basename "$f" '[1]_include.cmake')
  name=${dir#"$tests"}/$base
  name=${name#/}
  [ -x "$tests/$name" ] || { echo "missing test program: $name" >&2; exit 1; }
  if grep -qs COST "$dir/${base}_labels.cmake"; then slow+=("$name"); else rest+=("$name"); fi
done < <(find "$tests" -name '*\[1\]_include.cmake' | sort)
echo "whole programs: ${#slow[@]} slow and ${#rest[@]} other programs, $jobs at a time"

# One program: its output to its log, its exit code and test count beside it.
# Each runs in its own folder, as CTest runs it.
run_one() {
  local name="$1" key="${1//\//_}" rc=0
  (cd "$tests/$(dirname "$name")" && timeout 1200 "$here/run_isolated.sh" "./$(basename "$name")") \
    >"$logs/$key.log" 2>&1 || rc=$?
  echo "$rc" >"$logs/$key.rc"
  if [ "$rc" != 0 ]; then echo "FAILED ($rc): $name"; fi
}
export -f run_one
export tests here logs
printf '%s\n' "${slow[@]}" "${rest[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {}

failed=0 ran=0
for name in "${slow[@]}" "${rest[@]}"; do
  key="${name//\//_}"
  rc=$(cat "$logs/$key.rc" 2>/dev/null || echo none)
  if [ "$rc" != 0 ]; then
    failed=$((failed + 1))
    echo "===== $name (exit code $rc) ====="
    cat "$logs/$key.log" 2>/dev/null || true
  fi
  n=$(sed -n 's/^\[==========\] \([0-9]*\) tests\? from .* ran\..*/\1/p' "$logs/$key.log" 2>/dev/null | tail -1)
  ran=$((ran + ${n:-0}))
done
listed=$(cd "$build" && ctest -N -LE bench | sed -n 's/^Total Tests: \([0-9]*\)/\1/p')
echo "whole programs: $ran tests ran, CTest lists $listed"
if [ "$failed" != 0 ]; then
  echo "whole programs: $failed program(s) failed" >&2
  exit 1
fi
if [ "$ran" -lt "$listed" ]; then
  echo "whole programs: fewer tests ran than CTest lists" >&2
  exit 1
fi
echo "whole programs: all passed"
