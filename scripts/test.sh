#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite:
#  1. the normal build, every test (benchmarks run once, briefly, unjudged);
#  2. a build with AddressSanitizer + UndefinedBehaviorSanitizer (clang),
#     every test program run once as a whole;
#  3. the locale-sensitive tests under a "," decimal locale and an odd time zone;
#  4. the real main window on a virtual X display, judged from a screen shot
#     (tests/gui/real_window.sh);
#  5. the fuzz targets, side by side for a fixed time (tests/fuzz/README.md).
set -euo pipefail
cd "$(dirname "$0")/.."
# Each pass line says how long the run has taken so far.
pass() { printf '== %s (at %d min %02d s)\n' "$1" $((SECONDS / 60)) $((SECONDS % 60)); }
scripts/setup.sh
jobs=$(nproc)

pass "normal build (build/test)"
# Optimised, without debug information: the suite and the benchmarks need
# no debugger, and leaving it out makes a two-core run much shorter.
scripts/build.sh build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG"
(cd build/test && ctest --output-on-failure -j "$jobs")

pass "real window (build/test/real-window.png)"
tests/gui/real_window.sh build/test

pass "sanitizer build (build/asan)"
# Built with clang, which compiles unoptimised sanitized code about twice as
# fast as gcc; line tables only: enough for the sanitizers' reports.
scripts/build.sh build/asan -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DKW3700_SANITIZE=ON -DKW3700_BENCH=OFF
# Each test program runs once as a whole: a sanitized program takes long to
# start, so one start per test would cost more than the tests themselves.
ASAN_OPTIONS=detect_leaks=1 tests/support/run_whole_programs.sh build/asan "$jobs"

pass "locale pass (de_DE.UTF-8, America/St_Johns)"
locale -a | grep -qi '^de_DE\.utf-\?8$' || { echo "locale de_DE.UTF-8 is missing"; exit 1; }
(cd build/test && LC_ALL=de_DE.UTF-8 TZ=America/St_Johns ctest --output-on-failure -j "$jobs" -L locale)

if [ -x tests/fuzz/run.sh ]; then
  pass "fuzzing"
  tests/fuzz/run.sh
fi
pass "all test passes green"
