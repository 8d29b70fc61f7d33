#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree and checks what an operator would
# get: the files in it, its control fields, and that the installed programs start on their own.
# Usage: check-package.sh <cpack> <build dir> <source dir> <version>
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: $0 <cpack> <build dir> <source dir> <version>" >&2; exit 2; }
cpack=$1 build=$2 source=$3 version=$4
here=$(cd "$(dirname "$0")" && pwd)
export LC_ALL=C.UTF-8

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in dpkg-deb dpkg-shlibdeps file; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# cpack into a folder of our own, so the build tree's packages are left alone.
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; fail "cpack could not build the package"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, got: ${debs[*]}"
deb=${debs[0]}
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# Contents: the file names, without the leading "./"; directories end in "/".
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./||' | sort >"$work/contents"
files=$(grep -v '/$' "$work/contents" || true)

expected=(usr/bin/zta-monitor usr/bin/zta-sim
          usr/share/applications/zta-monitor.desktop
          usr/share/icons/hicolor/scalable/apps/zta-monitor.svg
          usr/share/doc/zta-monitor/README.md)
# Every page and picture below docs/, the guide's folder included, keeps its place.
while IFS= read -r doc; do
  expected+=("usr/share/doc/zta-monitor/docs/${doc#"$source"/docs/}")
done < <(find "$source"/docs -type f \( -name '*.md' -o -name '*.png' \))
# Exactly these: test programs, the tour, the benchmarks and the static libraries stay out.
printf '%s\n' "${expected[@]}" | sort >"$work/expected"
missing=$(comm -23 "$work/expected" - <<<"$files" | tr '\n' ' ')
[ -z "$missing" ] || fail "the package lacks: $missing"
extra=$(comm -13 "$work/expected" - <<<"$files" | tr '\n' ' ')
[ -z "$extra" ] || fail "the package holds files that are not meant to be installed: $extra"

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zta-monitor ] || fail "package name: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "package version $(field Version), project version $version"
[ "$(field Maintainer)" = "ZTA Monitor team" ] || fail "maintainer: $(field Maintainer)"
case "$(field Section)" in science | electronics) ;; *) fail "section: $(field Section)" ;; esac
depends=$(field Depends)
echo "Depends: $depends"
[ -n "$depends" ] || fail "Depends is empty: dpkg-shlibdeps found no libraries"
grep -q 'libqt6' <<<"$depends" || fail "Depends names no Qt 6 library: $depends"
# The Qt libraries the monitor links: its windows, its two serial lines, the statistics window's trend.
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6serialbus6 libqt6serialport6 libqt6charts6; do
  grep -qE "(^|, )$library( |,|$)" <<<"$depends" || fail "Depends lacks $library: $depends"
done
# Qt's own dialogs and standard buttons speak Russian only with Qt's translations.
grep -qE "(^|, )qt6-translations-l10n( |,|$)" <<<"$depends" || fail "Depends lacks qt6-translations-l10n: $depends"
# The protocol archive opens its SQLite file through Qt SQL's driver plugin, which no binary links.
grep -qE "(^|, )libqt6sql6-sqlite( |,|$)" <<<"$depends" || fail "Depends lacks libqt6sql6-sqlite: $depends"
description=$(field Description)
[ "$(wc -l <<<"$description")" -gt 2 ] || fail "no long description: $description"

# The unpacked tree, as dpkg would lay it out under /.
root=$work/root
dpkg-deb -x "$deb" "$root"
desktop=$root/usr/share/applications/zta-monitor.desktop
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ -x "$root/usr/bin/$exec_name" ] || fail "the desktop entry starts '$exec_name', which the package does not install"
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon_name.svg" ] || fail "the desktop entry's icon '$icon_name' is not installed"

for program in zta-monitor zta-sim; do
  binary=$root/usr/bin/$program
  file "$binary" | grep -q 'ELF.*executable' || fail "$program is not an executable: $(file "$binary")"
  file "$binary" | grep -q ', stripped' || fail "$program carries its debug information: $(file "$binary")"
  missing=$(env -u LD_LIBRARY_PATH ldd "$binary" | grep 'not found' || true)
  [ -z "$missing" ] || fail "$program needs libraries the system lacks: $missing"
done

# Start the installed programs from the unpacked tree with the system's libraries only.
runner=(env -u LD_LIBRARY_PATH -u QT_PLUGIN_PATH -u QT_QPA_PLATFORM_PLUGIN_PATH -u QT_QPA_PLATFORM
        HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime")
mkdir -p "$work/home" "$work/runtime" && chmod 700 "$work/runtime"
if command -v xvfb-run >/dev/null; then
  runner+=(xvfb-run -a)
else
  echo "xvfb-run is not installed: starting the monitor on the offscreen platform"
  runner+=(QT_QPA_PLATFORM=offscreen)
fi
"${runner[@]}" "$here/start-installed.sh" "$root" "$version"
echo "PASS"
