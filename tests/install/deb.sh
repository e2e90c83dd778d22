#!/usr/bin/env bash
# The .deb that cpack makes from a build, made once, and Debian's own checks of it.
#
#   deb.sh make <build folder> <folder>  cpack's tallimo_<version>_amd64.deb into <folder>
#   deb.sh lintian <folder>              lintian reports no error and no warning
#   deb.sh appstream <folder>            appstreamcli accepts the metadata and the tree it is in
#   deb.sh install <folder>              as root: installs with apt (offline, from what is on
#                                        the machine), puts its files in place, and is removed
#                                        leaving the installed packages as they were
#   exit 77: skipped, with the reason printed
set -euo pipefail

mode=$1
skip() { echo "skipped: $*"; exit 77; }
package() {
  deb=$(echo "$1"/tallimo_*_amd64.deb)
  [ -f "$deb" ] || { echo "no tallimo_<version>_amd64.deb in $1"; exit 1; }
}

case $mode in
make)
  build=$(readlink -f "$2")
  rm -rf "$3" && mkdir -p "$3"
  out=$(readlink -f "$3")
  cpack -G DEB -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip --config "$build/CPackConfig.cmake" -B "$out" \
    >"$out/cpack.log" || { cat "$out/cpack.log"; exit 1; }
  package "$out"
  echo "made $deb"
  exit 0
  ;;
lintian)
  package "$2"
  # Every tag lintian has, pedantic ones included; any error or warning fails.
  set +e
  report=$(lintian --pedantic --display-info "$deb" 2>&1)
  status=$?
  set -e
  echo "$report"
  if grep -q '^[EW]: ' <<<"$report" || [ $status -ne 0 ]; then
    echo "lintian: errors or warnings (exit $status)"
    exit 1
  fi
  exit 0
  ;;
appstream)
  package "$2"
  tree=$(mktemp -d /tmp/tallimo-deb-tree.XXXXXX)
  trap 'rm -rf "$tree"' EXIT
  dpkg-deb -x "$deb" "$tree"
  metainfo=$tree/usr/share/metainfo/com.orvendi.tallimo.metainfo.xml
  # --no-net: the screenshots' host is not public yet, and a test fetches nothing.
  appstreamcli validate --no-net --pedantic "$metainfo"
  # Each screenshot is a picture of docs/, to be published there under its name.
  docs=$(dirname "$(readlink -f "$0")")/../../docs
  for url in $(grep -o 'https://[^<]*' "$metainfo" | grep '\.png$'); do
    [ -f "$docs/${url##*/}" ] || { echo "no docs/${url##*/} for $url"; exit 1; }
  done
  # The tree: the metadata names the menu entry and the icon that the package holds.
  appstreamcli validate-tree --no-net --pedantic "$tree"
  exit 0
  ;;
install) ;;
*)
  echo "deb.sh: unknown mode $mode"
  exit 2
  ;;
esac

[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
if dpkg-query -W -f='${Status}' tallimo 2>/dev/null | grep -q ' installed'; then
  skip "tallimo is installed on this machine and stays as it is"
fi
package "$2"
work=$(mktemp -d /tmp/tallimo-deb.XXXXXX)
trap 'rm -rf "$work"' EXIT

packages() { dpkg-query -W -f='${Package} ${Version} ${Status}\n' | sort; }
before=$(packages)
apt=(apt-get -y -q -o DPkg::Lock::Timeout=300)
# Offline: every dependency must be on the machine already, so apt fetches nothing.
others=$("${apt[@]}" -s install "$deb" | awk '/^Inst / && $2 != "tallimo" { print $2 }')
[ -z "$others" ] || { echo "dependencies missing (scripts/install-deps):" $others; exit 1; }
"${apt[@]}" install "$deb" >"$work/install.log" 2>&1 || { cat "$work/install.log"; exit 1; }
files=(/usr/bin/tallimo /usr/share/applications/tallimo.desktop
       /usr/share/icons/hicolor/48x48/apps/tallimo.png /usr/share/icons/hicolor/scalable/apps/tallimo.svg
       /usr/share/man/man1/tallimo.1.gz /usr/share/doc/tallimo/copyright
       /usr/share/metainfo/com.orvendi.tallimo.metainfo.xml)
status=0
for f in "${files[@]}"; do [ -e "$f" ] || { echo "not installed: $f"; status=1; }; done
"${apt[@]}" remove tallimo >"$work/remove.log" 2>&1 || { cat "$work/remove.log"; exit 1; }
for f in "${files[@]}"; do [ ! -e "$f" ] || { echo "left after removal: $f"; status=1; }; done
[ "$before" = "$(packages)" ] || { echo "the installed packages changed:"; diff <(echo "$before") <(packages); status=1; }
[ $status -eq 0 ] && echo "$(basename "$deb") installs and removes cleanly"
exit $status
