#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the simulator need; does nothing
# when they are all present. Runs apt-get as root, or through sudo.
set -euo pipefail

# Qt Charts' CMake package needs Qt OpenGL's, which qt6-charts-dev does not pull in; Qt's
# Russian texts come with qt6-translations-l10n; the accessibility test turns Qt's
# accessibility on through Qt's private headers (qt6-base-private-dev); the protocol archive is an
# SQLite file opened through Qt SQL's driver plugin (libqt6sql6-sqlite).
packages=(cmake ninja-build g++ pkg-config
          qt6-base-dev qt6-base-private-dev qt6-serialbus-dev qt6-serialport-dev qt6-charts-dev
          libqt6opengl6-dev qt6-translations-l10n libqt6sql6-sqlite
          libmodbus-dev mbpoll fonts-dejavu-core dpkg-dev file xvfb xauth)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
