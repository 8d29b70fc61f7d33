#!/usr/bin/env bash
# point-settings-at.sh ZTA.ini BENCH_PORT METER_PORT: sets "Comm Port" of the sections
# "ZTA" and "PRIBOR" (the two lines' channel settings), keeping every other line.
set -euo pipefail
ini=$1 bench=$2 meter=$3
mkdir -p "$(dirname "$ini")"
touch "$ini"
set_port() {  # section port
  awk -v section="$1" -v port="$2" '
    BEGIN { done = 0 }
    { sub(/\r$/, "") }
    /^\[/ { if (inside && !done) { print "Comm Port=" port; done = 1 }
            inside = (tolower($0) == "[" tolower(section) "]") }
    inside && tolower($0) ~ /^comm port=/ { if (!done) print "Comm Port=" port; done = 1; next }
    { print }
    END { if (inside && !done) { print "Comm Port=" port; done = 1 }
          if (!done) { print ""; print "[" section "]"; print "Comm Port=" port } }
  ' "$ini" > "$ini.tmp" && mv "$ini.tmp" "$ini"
}
set_port ZTA "$bench"
set_port PRIBOR "$meter"
