#!/usr/bin/env bash
# build.sh <build-dir> [cmake options...]: configures and builds, one line
# per step (the compiler's progress follows the build line).
set -euo pipefail
cd "$(dirname "$0")/.."
dir="$1"; shift
jobs="$(nproc)"
if [ -f "$dir/build.ninja" ]; then
  echo "build: configuring $dir again (a few seconds)"
else
  echo "build: configuring $dir (a new build folder; about half a minute)"
fi
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
echo "build: building $dir with $jobs jobs (from nothing: 5-20 minutes and up to 1 GB;"
echo "build:   afterwards only what changed)"
cmake --build "$dir" --parallel "$jobs"
echo "build: $dir is built"
