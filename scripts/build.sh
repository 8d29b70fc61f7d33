#!/usr/bin/env bash
# Configures (once) and builds the given targets (all when none) in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/build.ninja ] || cmake --preset default
cmake --build build -j "$(nproc)" ${1:+--target "$@"}
