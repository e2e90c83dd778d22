#!/usr/bin/env bash
# The Windows setup under Wine, as a shop's IT helper and its cashier meet it, in
# a fresh prefix without Spanish folder names (Wine's own: C:\Program Files,
# C:\users\<user>\Desktop):
# 1. an older version installed silently, then this one over it, in place;
# 2. the programs folder made unwritable (as root: chattr +i), then the working
#    day of day.sh run by the program the Start-menu entry names: no choice window;
#    then the choice window saves a damaged layout file in place, whole;
# 3. the day's file held by another program (hold-file.exe) for 0.5 s while the
#    register saves: no message, every line kept; for 10 s: told once, and the
#    next save writes every line;
# 4. the Desktop moved through the registry: the day's file lands in the moved folder;
# 5. a silent uninstall removes the program, its shortcuts and its entry, and
#    keeps the sales files, the price lists and TLMSystem.txt.
#
#   wine-setup.sh <Windows build> <setup.exe> <hold-file.exe> <expected files> <version>
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(readlink -f "$1")
setup=$(readlink -f "$2")
hold=$(readlink -f "$3")
expected=$(readlink -f "$4")
version=$5
source "$here/../env/wine.sh"
launch="timeout 120 wine"
program=tallimo.exe # the Start-menu entry's target, once installed
fail() { echo "e2e: $*" >&2; exit 1; }
wine_check
source "$here/driver.sh"

# Wine links a prefix's Desktop to $HOME: a home of the test's own keeps the
# test's files out of the real one.
export LC_ALL=es_MX.UTF-8 LANG=es_MX.UTF-8 HOME=$work/home E2E_WAIT=90 E2E_KEY_DELAY=200
mkdir -p "$HOME"
clock=$SECONDS
step() { echo "e2e: $1 ($((SECONDS - clock)) s)"; clock=$SECONDS; }

# Made on the test's X server, where the program will show.
wine_prefix "$work/prefix"
drive=$WINEPREFIX/drive_c
pf="$drive/Program Files"
immutable=""
at_exit '[ -z "$immutable" ] || chattr -i "$immutable"'
user=$(id -un)
profile="$drive/users/$user"
rm -f "$profile/Desktop" && mkdir -p "$profile/Desktop"
[ ! -e "$drive/Archivos de programa" ] && [ ! -e "$drive/Documents and Settings" ] ||
  fail "the prefix has Spanish folder names"
reg() { timeout 60 wine reg "$@" 2>/dev/null | tr -d '\r'; }
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallimo'
value() { reg query "$entry" /v "$1" | awk -v v="$1" '$1 == v { sub(/^ *[^ ]+ +[^ ]+ +/, ""); print }'; }
short_date=$(wine_short_date)
step "Wine $(wine --version), short date $short_date"

# 1. Installed silently, then upgraded in place.
"$here/../../scripts/make-setup" "$build" 0.9.0 "$work/tallimo-0.9.0-instalador.exe"
timeout 120 wine "$work/tallimo-0.9.0-instalador.exe" /S || fail "the older setup failed"
[ "$(value DisplayVersion)" = 0.9.0 ] || fail "the older version is not registered"
timeout 120 wine "$setup" /S || fail "the setup failed"
[ "$(value DisplayVersion)" = "$version" ] || fail "the upgrade left version $(value DisplayVersion)"
[ "$(reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' | grep -ci 'tallimo')" = 1 ] ||
  fail "more than one entry"
[ "$(value DisplayName)|$(value Publisher)|$(value DisplayIcon)|$(value UninstallString)" = \
  'Tallimo|Orvendi|C:\Program Files\Tallimo\tallimo.exe,0|"C:\Program Files\Tallimo\desinstalar.exe"' ] ||
  fail "the entry in Aplicaciones y características is not complete"
size=$(value EstimatedSize)
[ $((size)) -ge $(($(stat -c %s "$pf/Tallimo/tallimo.exe") / 1024)) ] || fail "EstimatedSize $size"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs"
for link in "$menu/Tallimo.lnk" "$menu/Resumen de ventas.lnk" "$drive/users/Public/Desktop/Tallimo.lnk"; do
  [ -f "$link" ] || fail "no shortcut $link"
done
strings -a -el "$menu/Resumen de ventas.lnk" | grep -x -- --resumen >/dev/null || fail "Resumen de ventas lacks --resumen"
printf ' 1 \r\n' | cmp - "$pf/TLMSystem.txt" || fail "the setup did not record the newer layout"
strings -a -el "$pf/Tallimo/tallimo.exe" | grep -x Orvendi >/dev/null || fail "no version information"
grep -qa 'level="asInvoker"' "$pf/Tallimo/tallimo.exe" || fail "no manifest"
program=$(strings -a "$menu/Tallimo.lnk" | grep -m1 -i '^[a-z]:\\.*\.exe$') || fail "the entry names no program"
step "installed $version over 0.9.0; the Start-menu entry runs $program"

# 2. The working day of the installed program, the programs folder closed to everyone;
#    then the choice window writing the layout file in place there.
if [ "$(id -u)" -eq 0 ] && chattr +i "$pf" 2>/dev/null; then
  immutable=$pf
  ! touch "$pf/prueba" 2>/dev/null || fail "the programs folder is still writable"
else
  echo "e2e: not root or no chattr here: the programs folder stays writable"
fi
E2E_DISPLAY=$DISPLAY E2E_LAUNCH=$launch E2E_DRIVE_C=$drive E2E_DESKTOP="$profile/Desktop" \
  E2E_LAYOUT_RECORDED=1 E2E_SHORT_DATE=$short_date "$here/day.sh" "$program" "$expected"
step "working day without the choice window"

# A layout file the shop's accounts may change in a folder they may not: "U otra
# versión" writes it in place, whole, and the sale window opens.
printf 'x\r\n' >"$pf/TLMSystem.txt"
start
splash=$(window '^Form1$')
gone "$splash"
choice=$(window)
sleep 0.3
keys "$choice" Return
sale=$(window '^TALLIMO$')
keys "$sale" alt+F4
finish
printf ' 1 \r\n' | cmp - "$pf/TLMSystem.txt" || fail "the choice was not written in place"
[ "$(ls "$pf" | grep -c TLMSystem)" = 1 ] || fail "a temporary was left: $(ls "$pf")"
step "the choice written where only the file may be written"

# 3. The day's file held by another program while the register saves.
sales=$(ls "$profile/Desktop"/Ventas*.txt)
cp "$sales" "$work/before.txt"
lines() { tr -d '\r' <"$sales" | grep -c ' x ' || true; }
before=$(lines)
hold_for() {
  rm -f "$work/hold.log"
  timeout 60 wine "$hold" "$(winepath -w "$sales")" "$1" >"$work/hold.log" 2>&1 &
  holder=$!
  for _ in $(seq 300); do grep -qs held "$work/hold.log" && return; sleep 0.1; done
  fail "hold-file did not get the file"
}
start
sale=$(window '^TALLIMO$')
sleep 0.5
hold_for 500
keys "$sale" Down Return
[ -z "$(box 4)" ] || fail "a message showed"
wait "$holder"
[ "$(lines)" = $((before + 1)) ] || fail "held for 0.5 s: $(lines) lines, not $((before + 1))"
hold_for 10000
keys "$sale" Return
told=$(box 10)
[ -n "$told" ] || fail "held for 10 s: the cashier was not told"
keys "$told" Return
gone "$told"
keys "$sale" Return
[ -z "$(box 4)" ] || fail "a message showed"
wait "$holder"
keys "$sale" Return
[ -z "$(box 3)" ] || fail "a message showed"
[ "$(lines)" = $((before + 4)) ] || fail "held for 10 s: $(lines) lines, not $((before + 4))"
keys "$sale" alt+F4
finish
cmp -n $(($(stat -c %s "$work/before.txt") - 2)) "$work/before.txt" "$sales" ||
  fail "the day's earlier lines changed"
step "a file held 0.5 s waited for; held 10 s told once, then saved whole"

# 4. The Desktop moved, as OneDrive moves it.
moved="$profile/OneDrive/Escritorio"
mkdir -p "$moved"
reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' /v Desktop \
  /t REG_EXPAND_SZ /d '%USERPROFILE%\OneDrive\Escritorio' /f >/dev/null
cp "$sales" "$work/desktop.txt"
start
question=$(box 90)
[ -n "$question" ] || fail "no question to create the price list in the moved desktop"
keys "$question" Return
sale=$(window '^TALLIMO$')
keys "$sale" Down Return alt+F4
finish
[ -f "$moved/Lista.txt" ] && grep -q ' x ' "$moved/$(basename "$sales")" ||
  fail "nothing in the moved desktop: $(ls "$moved")"
cmp "$sales" "$work/desktop.txt" || fail "the old desktop's file changed"
step "the day's file in the moved desktop"

# 5. Uninstalled silently: the shop's files stay.
if [ -n "$immutable" ]; then chattr -i "$immutable"; immutable=""; fi
timeout 120 wine 'C:\Program Files\Tallimo\desinstalar.exe' /S || fail "the uninstaller failed"
# It goes on in a copy of itself, which removes the entry last.
for _ in $(seq 60); do [ -e "$pf/Tallimo" ] || reg query "$entry" >/dev/null || break; sleep 0.5; done
[ ! -e "$pf/Tallimo" ] || fail "the program is still there: $(ls "$pf/Tallimo")"
for link in "$menu/Tallimo.lnk" "$menu/Resumen de ventas.lnk" "$drive/users/Public/Desktop/Tallimo.lnk"; do
  [ ! -e "$link" ] || fail "the shortcut $link is still there"
done
! reg query "$entry" >/dev/null || fail "the entry is still there"
for kept in "$pf/TLMSystem.txt" "$profile/Desktop/Lista.txt" "$sales" "$moved/Lista.txt" \
  "$moved/$(basename "$sales")"; do
  [ -f "$kept" ] || fail "the uninstaller removed $kept"
done
step "uninstalled, the shop's files kept"
echo "e2e: 1 passed, 0 failed"
