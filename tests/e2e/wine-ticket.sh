#!/usr/bin/env bash
# The ticket of ticket.sh, printed by tallimo.exe under Wine: Wine's printing
# hands the job to a CUPS server of the test's own (tests/print/cups.sh), whose
# cups-pdf queue makes the PDF that is read back. A fresh Wine prefix, made
# while that server is the one Wine asks, so its printers are Wine's printers.
#
#   wine-ticket.sh <path to tallimo.exe> <folder of expected files>
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "ticket: $*" >&2; exit 1; }
command -v wine >/dev/null || fail "Wine is not installed (scripts/install-deps --windows)"
work=$(mktemp -d /tmp/tallimo-wineticket.XXXXXX)
chmod 755 "$work"
cups=$work/cups
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
export LC_ALL=es_MX.UTF-8 LANG=es_MX.UTF-8
# The prefix is made without a display: the program gets the test's own X server.
unset DISPLAY
cleanup() {
  wineserver -k 2>/dev/null || true
  "$here/../print/cups.sh" stop "$cups"
  [ -n "${KEEP:-}" ] || rm -rf "$work"
}
trap cleanup EXIT

set +e
server=$("$here/../print/cups.sh" start "$cups")
status=$?
set -e
[ $status -eq 77 ] && exit 77
[ $status -eq 0 ] || fail "the CUPS server did not start"
export "${server?}"

timeout 300 wineboot -i >/dev/null 2>&1 || fail "Wine did not start"
# Wine's desktop, started by wineboot without a display, must be gone before the
# program starts one on the test's X server: until then its first window waits.
timeout 300 wineserver -w || fail "Wine did not settle"
echo "ticket: Wine $(wine --version)"

E2E_LAUNCH="timeout 120 wine" E2E_DRIVE_C=$WINEPREFIX/drive_c E2E_CUPS_DIR=$cups E2E_WAIT=90 \
  E2E_KEY_DELAY=200 "$here/ticket.sh" "$1" "$2" es_MX.UTF-8 58
