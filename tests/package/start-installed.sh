#!/usr/bin/env bash
# Starts the programs of an unpacked package: the monitor must stay up, and the command-line
# help of both programs and the monitor's version must answer. Runs under a display or the
# offscreen platform.
# Usage: start-installed.sh <unpacked root> <version>
set -euo pipefail
root=$1 version=$2
monitor=$root/usr/bin/zta-monitor
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$root/usr/bin/zta-sim" --help >"$out/sim-help" 2>&1 || { cat "$out/sim-help" >&2; fail "zta-sim --help failed"; }
grep -qF -- --wire-time "$out/sim-help" || fail "zta-sim --help does not list its options: $(cat "$out/sim-help")"

# A missing library or platform plugin, or a crash while the window is built, ends it at once.
"$monitor" >"$out/monitor.log" 2>&1 &
pid=$!
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then
  status=0
  wait "$pid" || status=$?
  cat "$out/monitor.log" >&2
  fail "zta-monitor ended within 2 s of its start (exit status $status)"
fi
kill "$pid"
wait "$pid" || true
echo "zta-monitor stayed up"

# Both answer without a display and end; a monitor that ignored the option would open its window
# and keep running, so the bound only stops the test from hanging.
check_option() {
  local option=$1 expected=$2 status=0
  timeout 10 "$monitor" "$option" >"$out/answer" 2>&1 || status=$?
  [ "$status" -ne 124 ] || fail "zta-monitor $option did not answer and end (did it open its window?)"
  [ "$status" -eq 0 ] || { cat "$out/answer" >&2; fail "zta-monitor $option exited with status $status"; }
  grep -qF -- "$expected" "$out/answer" || fail "zta-monitor $option does not show '$expected': $(cat "$out/answer")"
  echo "zta-monitor $option: ok"
}
check_option --help --version
check_option --version "zta-monitor $version"
