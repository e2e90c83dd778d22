#!/usr/bin/env bash
# A working day on a real X server, driven only by X11 key events: the first
# start (choice window, sample price list), a second start with the test's own
# price list, four sales and a close in the middle of a fifth. The day's sales
# file, the choice file and the price list must match the expected bytes, and
# the day's summary what the file adds up to. The locale decides the decimal
# mark of the amounts and the date in the file name.
#
#   day.sh <path to tallimo> <folder of expected files> [locale, es_MX.UTF-8 by default]
# For another system (Windows under Wine): E2E_LAUNCH runs the program (for
# example "timeout 300 wine"), E2E_DRIVE_C is the folder that is "C:\" there
# (then $TALLIMO_ROOT is not set) and E2E_SHORT_DATE is that system's short date
# format (d, dd, M, MM, yy, yyyy); E2E_WAIT (seconds for a window to show) and
# E2E_KEY_DELAY (milliseconds between keys) give a slower system its time.
# E2E_DESKTOP is the desktop folder when it is not the Spanish layout's, and
# E2E_LAYOUT_RECORDED=1 says that a setup recorded the layout: the first start
# must then go to the sale window without asking for it.
set -euo pipefail

program=$1
[ -e "$program" ] && program=$(readlink -f "$program")
expected=$(readlink -f "$2")
lang=${3:-es_MX.UTF-8}
launch=${E2E_LAUNCH:-}
# Qt's short date of the locale.
case $lang in
  es_ES*) short_date=${E2E_SHORT_DATE:-d/M/yy} ;;
  *) short_date=${E2E_SHORT_DATE:-dd/MM/yy} ;;
esac
source "$(dirname "$0")/driver.sh"

drive_test
desktop=${E2E_DESKTOP:-$desktop}
unset LANGUAGE

# First start: no choice file, so the choice window; "En español" is the second
# button. Then the question to create the price list: Yes. The choice window has
# no caption: it is the window that follows the splash.
start
splash=$(window '^Form1$')
# With the layout recorded, the sale window's question comes while the splash waits for it.
if [ -z "${E2E_LAYOUT_RECORDED:-}" ]; then
  gone "$splash"
  choice=$(window)
  sleep 0.3
  keys "$choice" Tab Return
  gone "$choice"
fi
question=$(window '^Tallimo$')
keys "$question" Return
sale=$(window '^TALLIMO$')
keys "$sale" alt+F4
finish
cmp "$desktop/Lista.txt" "$expected/Lista-muestra.txt" || fail "sample price list differs"
[ -n "${E2E_LAYOUT_RECORDED:-}" ] ||
  cmp "$drive/Archivos de programa/TLMSystem.txt" "$expected/TLMSystem.txt" || fail "choice file differs"

# The shop's own price list; the second start goes straight to the sale window.
cp "$expected/Lista.txt" "$desktop/Lista.txt"
start
sale=$(window '^TALLIMO$')
sleep 0.5
# 1. Arrows and a quantity digit: 3 x Refresco, paid with 50, closed with Space.
keys "$sale" Down Down 3 Return t
text "$sale" 50
keys "$sale" Return space
# 2. Found through the search box: 2 x Café molido, paid exactly, closed with Delete.
keys "$sale" 2 b
text "$sale" "caf"
keys "$sale" Return t
text "$sale" 90
keys "$sale" Return Delete
# 3. Typed in the entry fields, no payment: a new sale with Delete. The price
# field keeps the decimals of the line the new sale selected (4.50): 80 -> 80.50.
keys "$sale" c
text "$sale" ".5"
keys "$sale" Return
text "$sale" "Queso fresco"
keys "$sale" Return
text "$sale" 80
keys "$sale" Return Delete
# 4. Closing in the middle of a sale: its total line is written on the way out.
keys "$sale" 2 Return alt+F4
finish

# The file name's date in the short date format in use, "/" read as "-".
date_format=$(sed -e 's/yyyy/1/g; s/yy/2/g; s/dd/3/g; s/d/4/g; s/MM/5/g; s/M/6/g; s|/|-|g' \
  -e 's/1/%Y/g; s/2/%y/g; s/3/%d/g; s/4/%-d/g; s/5/%m/g; s/6/%-m/g' <<<"$short_date")
sales="$desktop/Ventas de $(date +"$date_format").txt"
[ -f "$sales" ] || fail "no sales file: $(ls "$desktop")"
cmp "$sales" "$expected/Ventas-${lang%%.*}.txt" || { od -c "$sales" | tail -20 >&2; fail "sales file differs"; }
cmp "$desktop/Lista.txt" "$expected/Lista.txt" || fail "price list changed"

# The day's summary, printed without a display, adds up what the file holds,
# in the file's own decimal mark.
env -u DISPLAY LC_ALL=$lang $launch "$program" --resumen "$sales" --texto >"$work/resumen.txt" \
  || fail "the summary failed"
# (Windows ends its printed lines with CR LF.)
tr -d '\r' <"$work/resumen.txt" >"$work/resumen-lf.txt"
sed '1s/.*/Día FECHA/' "$work/resumen-lf.txt" | tr ',' '.' | cmp - "$expected/Resumen.txt" \
  || { cat "$work/resumen.txt" >&2; fail "summary differs"; }
charged=$(tr -d '\r' <"$sales" | tr ',' '.' \
  | awk -F'>Total [$]' 'NF == 2 { s += $2 } END { printf "%.2f", s }')
tr ',' '.' <"$work/resumen-lf.txt" | grep -qx "  Total cobrado: [$]$charged" \
  || fail "the total charged is not $charged"
cmp "$sales" "$expected/Ventas-${lang%%.*}.txt" || fail "the summary changed the sales file"
echo "e2e: 1 passed, 0 failed"
