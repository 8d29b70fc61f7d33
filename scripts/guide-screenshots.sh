#!/usr/bin/env bash
# Regenerates the pictures of docs/operator-guide.md: runs zta-tour against its own simulated
# bench under Xvfb for meter types 0, 2 and 6 and copies the pictures the guide shows into
# docs/guide/. Run it again after any change to the windows.
#
#   scripts/guide-screenshots.sh
#   ZTA_TOUR=/path/to/zta-tour scripts/guide-screenshots.sh   # use an already built tour
set -euo pipefail
cd "$(dirname "$0")/.."

tour="${ZTA_TOUR:-}"
if [ -z "$tour" ]; then
  [ -f build/build.ninja ] || [ -f build/Makefile ] || cmake --preset default
  cmake --build build --target zta-tour
  tour=build/ui/app/zta-tour
fi
[ -x "$tour" ] || { echo "no zta-tour at $tour" >&2; exit 1; }

shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT

# The meter's error in per cent stays small, so the statistics window shows its errors in green.
for type in 0 2 6; do
  echo "tour for meter type $type"
  # A home of its own: the tour's protocol goes to its Documents folder.
  mkdir -p "$shots/home$type"
  HOME="$shots/home$type" xvfb-run -a -s "-screen 0 1600x1000x24" "$tour" "$shots/type$type" 0.3 "$type"
done

# The first page of the protocol's PDF (pdftoppm is in poppler-utils).
pdf=$(find "$shots/home0" -name '*.pdf' | head -n 1)
[ -n "$pdf" ] || { echo "the tour saved no protocol" >&2; exit 1; }
pdftoppm -r 70 -png -singlefile "$pdf" "$shots/type0/protocol-pdf"

# picture of the guide <- the run and the tour's picture
pictures=(
  type0/config type0/channel-settings type0/target-task type0/module-properties
  type0/flow-imitation type0/statistics type0/volume-parameters type0/volume-accumulation
  type0/statistics-volume type0/flow-verification type0/volume-verification type0/counter-page
  type0/current-page type0/imr-tuning type0/ipt-usi-tuning type0/restore-settings
  type0/colour-popup type0/statistics-trend type0/protocol-page type0/verification-points
  type0/verification-parameters type0/auto-verification type0/protocol type0/protocol-pdf
  type0/traffic type2/meter-type2 type6/meter-type6 type6/slots type6/calibration
)
out=docs/guide
mkdir -p "$out"
for p in "${pictures[@]}"; do
  cp "$shots/$p.png" "$out/$(basename "$p").png"
done

if command -v optipng >/dev/null; then
  optipng -quiet -o2 "$out"/*.png
else
  echo "optipng not found: pictures copied as they are"
fi
du -ch "$out"/*.png | tail -1
