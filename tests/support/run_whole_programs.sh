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

# Every program has a labels file beside it; the slow ones carry a cost.
slow=() rest=()
for f in "$tests"/*_labels.cmake; do
  name=$(basename "$f" _labels.cmake)
  [ -x "$tests/$name" ] || { echo "missing test program: $name" >&2; exit 1; }
  if grep -q COST "$f"; then slow+=("$name"); else rest+=("$name"); fi
done
echo "whole programs: ${#slow[@]} slow and ${#rest[@]} other programs, $jobs at a time"

# One program: its output to its log, its exit code and test count beside it.
run_one() {
  local name="$1" log="$logs/$1.log" rc=0
  (cd "$tests" && timeout 1200 "$here/run_isolated.sh" "./$name") >"$log" 2>&1 || rc=$?
  echo "$rc" >"$logs/$name.rc"
  if [ "$rc" != 0 ]; then echo "FAILED ($rc): $name"; fi
}
export -f run_one
export tests here logs
printf '%s\n' "${slow[@]}" "${rest[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {}

failed=0 ran=0
for name in "${slow[@]}" "${rest[@]}"; do
  if [ "$(cat "$logs/$name.rc" 2>/dev/null || echo none)" != 0 ]; then
    failed=$((failed + 1))
    echo "===== $name (exit code $(cat "$logs/$name.rc" 2>/dev/null || echo none)) ====="
    cat "$logs/$name.log"
  fi
  n=$(sed -n 's/^\[==========\] \([0-9]*\) tests\? from .* ran\..*/\1/p' "$logs/$name.log" | tail -1)
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
