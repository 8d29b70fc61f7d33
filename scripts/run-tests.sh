#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs every test; run as root, it runs the
# cases root cannot meet (a read-only folder, a device node it may not open) once more as the
# unprivileged user zta-ci; then builds the unit, simulator and end-to-end tests again with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs them there.
# ZTA_SKIP_SANITIZERS=1 leaves the last part out (for a quick local run).
set -euo pipefail
cd "$(dirname "$0")/.."

# The tests labelled unprivileged as zta-ci (created if missing), with a home of its own; a
# skip among them fails the run, as they exist to run what root skips.
run_unprivileged_tests() {
    local user=zta-ci home
    id -u "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
    if ! runuser -u "$user" -- test -r build/CTestTestfile.cmake; then
        echo "$user cannot read the build tree $(pwd)/build: the unprivileged tests cannot run" >&2
        return 1
    fi
    home=$(mktemp -d)
    chown "$user" "$home"
    # CTest keeps its logs in the build tree.
    mkdir -p build/Testing/Temporary
    chown "$user" build/Testing/Temporary
    local status=0
    runuser -u "$user" -- env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home" TMPDIR="$home" \
        ctest --test-dir build -L unprivileged --output-on-failure | tee "$home/ctest.log" || status=$?
    if [ "$status" = 0 ] && grep -q 'Skipped' "$home/ctest.log"; then
        echo "an unprivileged test skipped: its cases did not run" >&2
        status=1
    fi
    chown root build/Testing/Temporary
    rm -rf "$home"
    return "$status"
}

scripts/install-deps.sh
scripts/build.sh
if [ "$(id -u)" = 0 ]; then
    ctest --preset default --label-exclude unprivileged
    run_unprivileged_tests
else
    ctest --preset default
fi
if [ "${ZTA_SKIP_SANITIZERS:-0}" != 1 ]; then
    [ -f build-sanitize/build.ninja ] || cmake --preset sanitize
    cmake --build --preset sanitize -j "$(nproc)"
    ctest --preset sanitize
fi
