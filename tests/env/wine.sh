# A fresh Wine prefix of the test's own: WINEPREFIX exported, Wine quiet, no
# menu entries, no Mono or Gecko to install. It is made with the display the
# caller has then: without one, wine_settle must follow before a program starts
# on the test's X server, or the desktop process left from the start takes the
# program's first window to wherever that display was. Every process of the
# prefix is killed at exit (see work.sh); the folder goes with the caller's. The
# caller defines fail.
#   wine_check           fails when Wine is not installed
#   wine_prefix DIR      makes the prefix in DIR
#   wine_settle [SECS]   waits (300 s at most) until the prefix's processes have ended
#   wine_short_date      prints the short date format of its regional settings
source "$(dirname "${BASH_SOURCE[0]}")/work.sh"

wine_check() {
  command -v wine >/dev/null || fail "Wine is not installed (scripts/install-deps --windows)"
}

wine_prefix() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
  at_exit 'wineserver -k 2>/dev/null'
  timeout 300 wineboot -i >/dev/null 2>&1 || fail "Wine did not start"
}

wine_settle() {
  timeout "${1:-300}" wineserver -w || fail "Wine did not settle"
}

wine_short_date() {
  local format
  format=$(timeout 60 wine reg query 'HKCU\Control Panel\International' /v sShortDate 2>/dev/null |
    tr -d '\r' | awk '/sShortDate/ { print $NF }')
  [ -n "$format" ] || fail "no short date in the Wine prefix"
  echo "$format"
}
