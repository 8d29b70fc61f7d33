#!/usr/bin/env bash
# Sets up a fresh machine, builds everything and runs every test; run as root, it runs the
# cases root cannot meet (a read-only folder, a device node it may not open) once more as the
# unprivileged user zta-ci; then builds the unit, simulator and end-to-end tests again with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs them there.
# ZTA_SKIP_SANITIZERS=1 leaves the last part out (for a quick local run).
set -euo pipefail
cd "$(dirname "$0")/.."

# The test functions labelled unprivileged, once more as zta-ci (created if missing). Each
# program is copied into a folder of that user's own, so the pass works wherever the clone
# lies (under /root, too); a skip among them fails the run, as they exist to run what root
# skips.
run_unprivileged_tests() {
    local user=zta-ci home status=0 line program
    id -u "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
    home=$(mktemp -d)
    while IFS= read -r line; do
        eval "set -- ${line#*Test command: }"
        program="$home/$(basename "$1")"
        cp "$1" "$program"
        shift
        chown -R "$user" "$home"
        echo "as $user: $(basename "$program") $*"
        if ! runuser -u "$user" -- env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home" \
            TMPDIR="$home" QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "$program" "$@" >"$home/out.txt" 2>&1; then
            status=1
        elif grep -q '^SKIP' "$home/out.txt"; then
            echo "$(basename "$program"): a case skipped as $user, so it did not run" >&2
            status=1
        fi
        grep -E '^(PASS|FAIL|SKIP|Totals)' "$home/out.txt" || true
    done < <(ctest --test-dir build -L unprivileged -N -V | grep 'Test command:')
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
