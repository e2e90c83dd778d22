#!/usr/bin/env bash
# Barcodes on a real X server: a scanner's keys (the digits 5 ms apart, then
# Return, in one burst) in the price list and in the search box, with a quantity
# typed by hand at a person's speed before one of them, then the sale paid and
# closed. The day's sales file must match the expected bytes.
#
#   scan.sh <path to tallimo> <folder of expected files>
# E2E_LAUNCH, E2E_DRIVE_C and E2E_DESKTOP as for day.sh.
set -euo pipefail

program=$1
[ -e "$program" ] && program=$(readlink -f "$program")
expected=$(readlink -f "$2")
lang=es_MX.UTF-8
launch=${E2E_LAUNCH:-}
source "$(dirname "$0")/driver.sh"

drive_test
desktop=${E2E_DESKTOP:-$desktop}
unset LANGUAGE
cp "$expected/TLMSystem.txt" "$drive/Archivos de programa/TLMSystem.txt"
cp "$expected/Lista.txt" "$expected/Codigos.txt" "$desktop/"

# A keyboard-wedge scanner: one burst of key events, ended by Return.
scan() {
  xdotool windowfocus --sync "$1"
  # shellcheck disable=SC2046 # one key name a digit
  xdotool key --delay 5 $(sed 's/./& /g' <<<"$2") Return
  sleep 0.3
}

start
sale=$(window '^TALLIMO$')
sleep 0.5
scan "$sale" 7501031311309 # Refresco, from the price list
keys "$sale" 3             # the quantity, by hand
scan "$sale" 036000291452  # 3 x Pan dulce, a UPC-A code
keys "$sale" b
scan "$sale" 2000002007500 # 750 g of Café molido, from the search box
keys "$sale" t
text "$sale" 100
keys "$sale" Return space alt+F4
finish

# The day's only sales file, whatever short date names it (Wine's differs).
sales=$(ls "$desktop"/Ventas\ de\ *.txt 2>/dev/null | head -1)
[ -n "$sales" ] || fail "no sales file: $(ls "$desktop")"
cmp "$sales" "$expected/Ventas-escaner.txt" || { od -c "$sales" | tail -20 >&2; fail "sales file differs"; }
echo "e2e: 1 passed, 0 failed"
