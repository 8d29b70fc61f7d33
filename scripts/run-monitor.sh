#!/usr/bin/env bash
# Sets up a fresh machine, builds the monitor and the simulated bench, starts the simulator
# and then the monitor with both lines' channel settings pointing at the simulator.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh zta-monitor zta-sim

# The simulator's default line directory, which the channel dialog lists among the ports.
if [ -n "${XDG_RUNTIME_DIR:-}" ] && [ -d "$XDG_RUNTIME_DIR" ]; then
  lines="$XDG_RUNTIME_DIR/zta-sim"
else
  lines="/tmp/zta-sim-$(id -u)"
fi
# Answers take their time on the wire, as on a real bench: the bounds the modes put on the
# number of state reads count on it.
build/sim/zta-sim --wire-time "$@" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$lines/meter" ] && break; sleep 0.1; done
[ -e "$lines/meter" ] || { echo "the simulator did not start" >&2; exit 1; }

settings_dir=build/shell
[ -w "$settings_dir" ] || settings_dir="${XDG_CONFIG_HOME:-$HOME/.config}/zta-monitor"
scripts/point-settings-at.sh "$settings_dir/ZTA.ini" "$lines/bench" "$lines/meter"
build/shell/zta-monitor
