#!/usr/bin/env bash
# As root: the .deb that cpack makes from this build installs with apt (offline,
# from what is on the machine), puts the program, its menu entry and icons in
# place, and is removed leaving the installed packages as they were.
#
#   deb.sh <build folder>        exit 77: skipped, with the reason printed
set -euo pipefail

build=$(readlink -f "$1")
skip() { echo "skipped: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
if dpkg-query -W -f='${Status}' tallimo 2>/dev/null | grep -q ' installed'; then
  skip "tallimo is installed on this machine and stays as it is"
fi

work=$(mktemp -d /tmp/tallimo-deb.XXXXXX)
trap 'rm -rf "$work"' EXIT
cpack -G DEB -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" ||
  { cat "$work/cpack.log"; exit 1; }
deb=$(echo "$work"/tallimo_*_amd64.deb)
[ -f "$deb" ] || { echo "no tallimo_<version>_amd64.deb"; exit 1; }

packages() { dpkg-query -W -f='${Package} ${Version} ${Status}\n' | sort; }
before=$(packages)
apt=(apt-get -y -q -o DPkg::Lock::Timeout=300)
# Offline: every dependency must be on the machine already, so apt fetches nothing.
others=$("${apt[@]}" -s install "$deb" | awk '/^Inst / && $2 != "tallimo" { print $2 }')
[ -z "$others" ] || { echo "dependencies missing (scripts/install-deps):" $others; exit 1; }
"${apt[@]}" install "$deb" >"$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }
files=(/usr/bin/tallimo /usr/share/applications/tallimo.desktop
       /usr/share/icons/hicolor/48x48/apps/tallimo.png /usr/share/icons/hicolor/scalable/apps/tallimo.svg)
status=0
for f in "${files[@]}"; do [ -e "$f" ] || { echo "not installed: $f"; status=1; }; done
"${apt[@]}" remove tallimo >"$work/remove.log" 2>&1 || { cat "$work/remove.log"; exit 1; }
for f in "${files[@]}"; do [ ! -e "$f" ] || { echo "left after removal: $f"; status=1; }; done
[ "$before" = "$(packages)" ] || { echo "the installed packages changed:"; diff <(echo "$before") <(packages); status=1; }
[ $status -eq 0 ] && echo "$(basename "$deb") installs and removes cleanly"
exit $status
