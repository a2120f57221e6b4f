#!/usr/bin/env bash
# Sets up, builds and starts KW-3700.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build/release -DCMAKE_BUILD_TYPE=Release -DKW3700_TESTS=OFF -DKW3700_BENCH=OFF
exec build/release/app/kw3700 "$@"
