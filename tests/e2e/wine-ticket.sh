#!/usr/bin/env bash
# The ticket of ticket.sh, printed by tallimo.exe under Wine: Wine's printing
# hands the job to a CUPS server of the test's own (tests/env/cups.sh), whose
# cups-pdf queue makes the PDF that is read back. A fresh Wine prefix, made
# while that server is the one Wine asks, so its printers are Wine's printers.
#
#   wine-ticket.sh <path to tallimo.exe> <folder of expected files>
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../env/cups.sh"
source "$here/../env/wine.sh"
source "$here/../env/drive.sh"
fail() { echo "ticket: $*" >&2; exit 1; }
wine_check
work_dir wineticket
export LC_ALL=es_MX.UTF-8 LANG=es_MX.UTF-8
# The prefix is made without a display: the program gets the test's own X server.
unset DISPLAY

cups_up "$work/cups"
wine_prefix "$work/prefix"
drive_spanish "$WINEPREFIX/drive_c"
wine_settle
echo "ticket: Wine $(wine --version)"

E2E_LAUNCH="timeout 120 wine" E2E_DRIVE_C=$drive E2E_CUPS_DIR=$work/cups E2E_WAIT=90 \
  E2E_KEY_DELAY=200 "$here/ticket.sh" "$1" "$2" es_MX.UTF-8 58
