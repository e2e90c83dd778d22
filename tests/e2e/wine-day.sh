#!/usr/bin/env bash
# The working day of day.sh, run by tallimo.exe under Wine in a fresh Wine
# prefix laid out like a Spanish shop PC: both layouts' folders on C:, the
# user's own name, the Mexican Spanish regional settings.
#
#   wine-day.sh <path to tallimo.exe> <folder of expected files>
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
command -v wine >/dev/null || { echo "e2e: Wine is not installed (scripts/install-deps --windows)" >&2; exit 1; }
prefix=$(mktemp -d /tmp/tallimo-wine.XXXXXX)
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
export LC_ALL=es_MX.UTF-8 LANG=es_MX.UTF-8
# The prefix is made without a display, and every process of it has ended before
# the program starts on the test's own X server: a desktop process left from
# here would take the program's windows to wherever the caller's DISPLAY was.
unset DISPLAY
cleanup() { wineserver -k 2>/dev/null || true; [ -n "${KEEP:-}" ] || rm -rf "$prefix"; }
trap cleanup EXIT

timeout 300 wineboot -i >/dev/null 2>&1 || { echo "e2e: Wine did not start" >&2; exit 1; }
drive="$prefix/drive_c"
user=$(id -un)
mkdir -p "$drive/Archivos de programa" "$drive/Documents and Settings/$user/Escritorio"
[ -d "$drive/users/$user/Desktop" ] || { echo "e2e: Wine made no desktop folder" >&2; exit 1; }
# The short date the program will use, from the regional settings of the prefix.
short_date=$(timeout 60 wine reg query 'HKCU\Control Panel\International' /v sShortDate |
  tr -d '\r' | awk '/sShortDate/ { print $NF }')
[ -n "$short_date" ] || { echo "e2e: no short date in the Wine prefix" >&2; exit 1; }
echo "e2e: Wine $(wine --version), short date $short_date"
# Wine's desktop, started above without a display, must be gone before the program
# starts one on the test's X server: until then its first window waits.
timeout 300 wineserver -w || { echo "e2e: Wine did not settle" >&2; exit 1; }

E2E_LAUNCH="timeout 120 wine" E2E_DRIVE_C=$drive E2E_SHORT_DATE=$short_date E2E_WAIT=90 E2E_KEY_DELAY=200 \
  "$here/day.sh" "$1" "$2"
