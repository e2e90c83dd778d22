#!/usr/bin/env bash
# The customer's ticket through a real print queue: a CUPS server of the test's
# own (tests/env/cups.sh) with a cups-pdf queue, the real program on a real X
# server driven by X11 key events. F9 prints the sale on the screen, F9 after
# the new-sale key the sale just closed, F12 the same again (those two say
# COPIA under the header); each PDF that comes out is read with pdftotext
# -layout and must hold the shop's lines, every sale line, the total, the
# payment and the change, on a page as wide as the roll and no longer than the
# ticket. The sales file must be what the same keys write without printing.
#
#   ticket.sh <path to tallimo> <folder of expected files> <locale> <58|80>
# Under Wine: E2E_LAUNCH, E2E_DRIVE_C, E2E_WAIT, E2E_KEY_DELAY as for day.sh,
# with CUPS_SERVER already pointing at the test's server (E2E_CUPS_DIR its folder).
set -euo pipefail

program=$(readlink -f "$1")
expected=$(readlink -f "$2")
lang=$3
paper=$4
here=$(cd "$(dirname "$0")" && pwd)
launch=${E2E_LAUNCH:-}
source "$here/driver.sh"
source "$here/../env/cups.sh"
cups=${E2E_CUPS_DIR:-$work/cups}
[ -n "${E2E_CUPS_DIR:-}" ] || cups_up "$cups"

drive_test
cp "$expected/TLMSystem.txt" "$drive/Archivos de programa/TLMSystem.txt"
printf 'Pan dulce $4.5\r\nRefresco $12.5\r\nCaf\xe9 molido $45\r\n' >"$desktop/Lista.txt"
printf 'Queso fresco de rancho con chile y epazote en hoja de totomoxtle $85.5\r\n' >>"$desktop/Lista.txt"
# Written by a Linux editor: UTF-8, LF.
printf '# Ticket de la tienda\nEncabezado=Abarrotes La Esperanza\nEncabezado=Av. Juárez 12 Centro\nPie=¡Gracias por su compra!\nImpresora=Caja\nPapel=%s mm\n' \
  "$paper" >"$desktop/Ticket.txt"
unset LANGUAGE

# The n-th PDF the queue made, within 60 seconds.
pdf() {
  local file
  for _ in $(seq 600); do
    file=$(ls -tr "$cups/out/"*.pdf 2>/dev/null | sed -n "${1}p")
    [ -n "$file" ] && [ -s "$file" ] && { sleep 0.2; echo "$file"; return; }
    sleep 0.1
  done
  fail "ticket $1 did not come out of the queue ($(tail -3 "$cups/log/error_log" 2>/dev/null))"
}

# A ticket read back (a copy: with COPIA under the header): its words line by
# line, the date and time as FECHA HORA, amounts with "." whatever the locale;
# its page as wide as the roll and ending just below its last line.
check() {
  local file=$1 name=$2 want=$expected/Ticket-$paper.txt
  if [ "${3:-}" = copia ]; then
    want=$work/$name.expected
    awk '!done && /^-+$/ { print "COPIA"; done = 1 } 1' "$expected/Ticket-$paper.txt" >"$want"
  fi
  # (Wine's PostScript driver names the hyphen's glyph as a soft hyphen.)
  pdftotext -layout "$file" - | tr -d '\f' | sed -e 's/\xc2\xad/-/g; s/^ *//; s/ *$//; s/  */ /g' |
    grep -v '^$' |
    sed -E "s#^$(date +%d/%m/%Y) [0-9]{2}:[0-9]{2}\$#FECHA HORA#; s/([0-9]),([0-9]{2})\b/\1.\2/g" \
    >"$work/$name.txt"
  diff -u "$want" "$work/$name.txt" >&2 || fail "$name differs"
  if [ -n "$launch" ]; then
    # Wine 8's PostScript driver keeps the queue's default paper when a program asks
    # for a size of its own (DMPAPER_USER beside its width and length, as Qt does).
    echo "ticket: $name: the page's size is not checked under Wine" >&2
    return
  fi
  read -r width height < <(pdfinfo "$file" | awk '/^Page size:/ { print $3, $5 }')
  awk -v w="$width" -v p="$paper" 'BEGIN { exit !(w > p * 72 / 25.4 - 1 && w < p * 72 / 25.4 + 1) }' ||
    fail "$name is $width pt wide, not $paper mm"
  # 5 mm below the last line, or as long as wide when the ticket is shorter.
  bottom=$(pdftotext -bbox "$file" - | grep -o 'yMax="[0-9.]*"' | tr -dc '0-9.\n' | sort -n | tail -1)
  awk -v h="$height" -v b="$bottom" -v w="$width" \
    'BEGIN { e = b + 5 * 72 / 25.4; if (e < w + 2.8) e = w + 2.8; exit !(h > e - 6 && h < e + 6) }' ||
    fail "$name: the page is $height pt long, its last line ends at $bottom pt"
}

# The queue has ended every job, and the register has seen it: the same sale's
# ticket is not asked for again while one is on its way.
done_printing() {
  for _ in $(seq 100); do [ -z "$(lpstat -o 2>/dev/null)" ] && break; sleep 0.1; done
  sleep 0.6
}

start
sale=$(window '^TALLIMO$')
sleep 0.5
# 3 x Refresco and 2 x the long Queso, paid with 250: the ticket, from the price list.
keys "$sale" Down Down 3 Return Down Down 2 Return t
text "$sale" 250
keys "$sale" Return F9
check "$(pdf 1)" ticket-1
done_printing
# The new-sale key right away, then the sale just closed, and the same ticket again.
keys "$sale" Delete F9
check "$(pdf 2)" ticket-2 copia
done_printing
keys "$sale" F12
check "$(pdf 3)" ticket-3 copia
keys "$sale" alt+F4
finish
[ "$(ls "$cups/out/"*.pdf | wc -l)" -eq 3 ] || fail "not three tickets: $(ls "$cups/out")"

mark=$(LC_ALL=$lang locale decimal_point 2>/dev/null || echo .)
sales=$(ls "$desktop"/Ventas*.txt)
printf '3 x Refresco de $12%s50 = $37%s50\r\n2 x Queso fresco de rancho con chile y epazote en hoja de totomoxtle de $85%s50 = $171%s00\r\n%s>Total $208%s50\r\n\r\n' \
  "$mark" "$mark" "$mark" "$mark" "$(printf -- '-%.0s' $(seq 50))" "$mark" | cmp - "$sales" ||
  fail "the sales file differs: $(od -c "$sales" | head)"
[ -n "${E2E_TICKET_PDF:-}" ] && cp "$(pdf 1)" "$E2E_TICKET_PDF"
echo "ticket: 1 passed, 0 failed"
