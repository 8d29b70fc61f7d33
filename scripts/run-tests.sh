#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs every test; then builds the unit,
# simulator and end-to-end tests again with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs them there.
# ZTA_SKIP_SANITIZERS=1 leaves the second part out (for a quick local run).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
ctest --preset default
if [ "${ZTA_SKIP_SANITIZERS:-0}" != 1 ]; then
    [ -f build-sanitize/build.ninja ] || cmake --preset sanitize
    cmake --build --preset sanitize -j "$(nproc)"
    ctest --preset sanitize
fi
