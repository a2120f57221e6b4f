#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in their own build folder, writes seeds with our
# own data file writer, and fuzzes for a fixed time (KW3700_FUZZ_SECONDS,
# 60 by default). Any crash, abort or leak fails the run.
set -euo pipefail
cd "$(dirname "$0")/../.."
dir="${KW3700_FUZZ_BUILD:-build/fuzz}"
seconds="${KW3700_FUZZ_SECONDS:-60}"
echo "fuzzing: configuring $dir (clang, sanitizers)"
cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKW3700_FUZZ=ON -DKW3700_SANITIZE=ON -DKW3700_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" >/dev/null
echo "fuzzing: building the targets"
cmake --build "$dir" --target IcfFile_fuzz IcfFile_seeds CsvImport_fuzz

work=$(mktemp -d "${TMPDIR:-/tmp}/kw3700-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$work/seeds"
QT_QPA_PLATFORM=offscreen "$dir/tests/fuzz/IcfFile_seeds" "$work/seeds"
# The two targets run side by side, each into its own log; a failing one's
# whole log is shown.
echo "fuzzing: the data file reader and the CSV import, ${seconds} s side by side"
mkdir -p "$work/csv-corpus"
ASAN_OPTIONS=detect_leaks=1 "$dir/tests/fuzz/IcfFile_fuzz" -max_total_time="$seconds" -seed=1 \
  -max_len=16384 -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "$work/seeds" \
  >"$work/icf.log" 2>&1 &
icf=$!
ASAN_OPTIONS=detect_leaks=1 QT_QPA_PLATFORM=offscreen "$dir/tests/fuzz/CsvImport_fuzz" \
  -max_total_time="$seconds" -seed=1 -max_len=16384 -print_final_stats=1 \
  -artifact_prefix="$work/" "$work/csv-corpus" tests/data/csv >"$work/csv.log" 2>&1 &
csv=$!
rc=0
for t in "icf:$icf:the data file reader" "csv:$csv:the CSV import"; do
  IFS=: read -r log pid what <<<"$t"
  if wait "$pid"; then
    echo "fuzzing: $what: $(grep -m1 '^stat::number_of_executed_units' "$work/$log.log" || echo done)"
  else
    rc=1
    echo "fuzzing: $what FAILED; its log:"
    cat "$work/$log.log"
  fi
done
[ "$rc" = 0 ] || exit 1
echo "fuzzing: no crash, no leak"
