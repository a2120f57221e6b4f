#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in their own build folder, writes seeds with our
# own data file writer, and runs a fixed number of inputs. Any crash, abort or
# leak fails the run.
set -euo pipefail
cd "$(dirname "$0")/../.."
dir="${KW3700_FUZZ_BUILD:-build/fuzz}"
cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKW3700_FUZZ=ON -DKW3700_SANITIZE=ON -DKW3700_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" >/dev/null
cmake --build "$dir" --target IcfFile_fuzz IcfFile_seeds

work=$(mktemp -d "${TMPDIR:-/tmp}/kw3700-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$work/seeds"
QT_QPA_PLATFORM=offscreen "$dir/tests/fuzz/IcfFile_seeds" "$work/seeds"
ASAN_OPTIONS=detect_leaks=1 "$dir/tests/fuzz/IcfFile_fuzz" -runs=20000 -seed=1 -max_len=16384 \
  -artifact_prefix="$work/" "$work/corpus" "$work/seeds"
echo "fuzzing: no crash, no leak"
