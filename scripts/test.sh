#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite:
#  1. the normal build, every test (benchmarks run once, briefly, unjudged);
#  2. a build with AddressSanitizer + UndefinedBehaviorSanitizer, every test;
#  3. the locale-sensitive tests under a "," decimal locale and an odd time zone;
#  4. the real main window on a virtual X display, judged from a screen shot
#     (tests/gui/real_window.sh);
#  5. the fuzz targets, for a fixed time (tests/fuzz/README.md).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

echo "== normal build (build/test)"
scripts/build.sh build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd build/test && ctest --output-on-failure -j "$jobs")

echo "== real window (build/test/real-window.png)"
tests/gui/real_window.sh build/test

echo "== sanitizer build (build/asan)"
scripts/build.sh build/asan -DCMAKE_BUILD_TYPE=Debug -DKW3700_SANITIZE=ON -DKW3700_BENCH=OFF
(cd build/asan && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j "$jobs" -LE bench)

echo "== locale pass (de_DE.UTF-8, America/St_Johns)"
locale -a | grep -qi '^de_DE\.utf-\?8$' || { echo "locale de_DE.UTF-8 is missing"; exit 1; }
(cd build/test && LC_ALL=de_DE.UTF-8 TZ=America/St_Johns ctest --output-on-failure -j "$jobs" -L locale)

if [ -x tests/fuzz/run.sh ]; then
  echo "== fuzzing"
  tests/fuzz/run.sh
fi
echo "== all test passes green"
