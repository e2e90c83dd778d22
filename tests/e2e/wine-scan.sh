#!/usr/bin/env bash
# The scans of scan.sh, by tallimo.exe under Wine: Wine hands the X server's key
# events on with their own times, so a burst 5 ms apart is still a scan there.
#
#   wine-scan.sh <path to tallimo.exe> <folder of expected files>
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../env/wine.sh"
source "$here/../env/drive.sh"
fail() { echo "scan: $*" >&2; exit 1; }
wine_check
work_dir winescan
export LC_ALL=es_MX.UTF-8 LANG=es_MX.UTF-8
# The prefix is made without a display: the program gets the test's own X server.
unset DISPLAY
wine_prefix "$work"
drive_spanish "$WINEPREFIX/drive_c"
wine_settle
echo "scan: Wine $(wine --version)"

E2E_LAUNCH="timeout 120 wine" E2E_DRIVE_C=$drive E2E_WAIT=90 E2E_KEY_DELAY=200 \
  "$here/scan.sh" "$1" "$2"
