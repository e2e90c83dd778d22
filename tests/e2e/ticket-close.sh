#!/usr/bin/env bash
# Closing the register while a ticket is on its way: the ticket sent to a queue
# that never finishes it (tests/env/cups.sh's CajaColgada), the sale window
# closed as the window manager closes it. The program must end within 2 s, the
# job must be gone from the queue, and the next start must open the register.
#
#   ticket-close.sh <path to tallimo> <folder of expected files>
set -euo pipefail

program=$(readlink -f "$1")
expected=$(readlink -f "$2")
here=$(cd "$(dirname "$0")" && pwd)
launch=
source "$here/driver.sh"
source "$here/../env/cups.sh"
cups_up "$work/cups"
command -v wmctrl >/dev/null || fail "wmctrl is missing (scripts/install-deps)"

drive_test
cp "$expected/TLMSystem.txt" "$drive/Archivos de programa/TLMSystem.txt"
printf 'Pan dulce $4.5\r\n' >"$desktop/Lista.txt"
printf 'Impresora=CajaColgada\r\n' >"$desktop/Ticket.txt"

start
sale=$(window '^TALLIMO$')
sleep 0.5
keys "$sale" Down 2 Return t
text "$sale" 10
keys "$sale" Return F9
for _ in $(seq 100); do [ -n "$(lpstat -o CajaColgada)" ] && break; sleep 0.1; done
[ -n "$(lpstat -o CajaColgada)" ] || fail "the ticket did not reach the queue"
sleep 1

closed=$(date +%s%N)
wmctrl -i -c "$sale"
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.05; done
took=$((($(date +%s%N) - closed) / 1000000))
kill -0 "$app" 2>/dev/null && fail "the program did not end within 2.5 s of the close"
[ "$took" -le 2000 ] || fail "the program took $took ms to end"
wait "$app" || fail "the program ended with an error ($(cat "$work/tallimo.log"))"
[ -z "$(lpstat -o)" ] || fail "the ticket stayed in the queue: $(lpstat -o)"

# The register opens again, and closes.
start
sale=$(window '^TALLIMO$')
wmctrl -i -c "$sale"
finish
echo "ticket-close: 1 passed, 0 failed (ended in $took ms)"
