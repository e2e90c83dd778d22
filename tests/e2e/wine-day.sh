#!/usr/bin/env bash
# The working day of day.sh, run by tallimo.exe under Wine in a fresh Wine
# prefix laid out like a Spanish shop PC: both layouts' folders on C:, the
# user's own name, the Mexican Spanish regional settings.
#
#   wine-day.sh <path to tallimo.exe> <folder of expected files>
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../env/wine.sh"
source "$here/../env/drive.sh"
fail() { echo "e2e: $*" >&2; exit 1; }
wine_check
work_dir wine
export LC_ALL=es_MX.UTF-8 LANG=es_MX.UTF-8
# The prefix is made without a display, and every process of it has ended before
# the program starts on the test's own X server: a desktop process left from
# here would take the program's windows to wherever the caller's DISPLAY was.
unset DISPLAY
wine_prefix "$work"
drive_spanish "$WINEPREFIX/drive_c"
[ -d "$drive/users/$(id -un)/Desktop" ] || fail "Wine made no desktop folder"
# The short date the program will use, from the regional settings of the prefix.
short_date=$(wine_short_date)
echo "e2e: Wine $(wine --version), short date $short_date"
wine_settle

E2E_LAUNCH="timeout 120 wine" E2E_DRIVE_C=$drive E2E_SHORT_DATE=$short_date E2E_WAIT=90 E2E_KEY_DELAY=200 \
  "$here/day.sh" "$1" "$2"
