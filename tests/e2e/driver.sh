# Sourced by the end-to-end tests: the scratch folder $work, an X server of the
# test's own (tests/env; E2E_DISPLAY names one that a calling test already
# started) and the helpers that drive the program through it with X11 events.
# The caller sets `program` (its path; under a launcher it may be a Windows
# path) and `launch` (a launcher such as "timeout 120 wine", or empty), and may
# set `lang`. Whatever it started ends when the test exits.
env_dir="$(dirname "${BASH_SOURCE[0]}")/../env"
source "$env_dir/work.sh"
source "$env_dir/x11.sh"
source "$env_dir/drive.sh"

fail() { echo "e2e: $*" >&2; exit 1; }

work_dir e2e
if [ -n "${E2E_DISPLAY:-}" ]; then
  export DISPLAY=$E2E_DISPLAY
else
  x11_start
fi
# The programs it started, ended before their X server.
apps=()
end_apps() {
  for pid in "${apps[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${apps[@]}"; do wait "$pid" 2>/dev/null; done
}
at_exit end_apps

# The visible window of the program whose title matches (any title when none is
# given), waiting up to E2E_WAIT seconds (20 by default; a first start under
# Wine builds its font cache first). A launcher owns no window: under one, the
# program's windows are those that carry its file name as their class (Wine's).
window() {
  if [ -n "$launch" ]; then
    x11_window "${1:-}" "${E2E_WAIT:-20}" "" "${program##*[/\\]}"
  else
    x11_window "${1:-}" "${E2E_WAIT:-20}" "$app"
  fi || fail "no window named '${1:-}'"
}

# A message box of the program, titled "Tallimo" (xdotool matches without regard
# to case, and the sale window is "TALLIMO"), within the given seconds; nothing
# when none shows.
box() {
  local id
  for _ in $(seq $(($1 * 10))); do
    for id in $(xdotool search --all --onlyvisible --name '^Tallimo$' 2>/dev/null); do
      [ "$(xdotool getwindowname "$id" 2>/dev/null)" != Tallimo ] || { echo "$id"; return; }
    done
    sleep 0.1
  done
}

# Waits up to 20 s for a window to go.
gone() { x11_gone "$1" || fail "window $1 stayed"; }

# Focuses a window and types keys into it, one X11 key event at a time.
shots=0
shot() { if [ -n "${KEEP:-}" ]; then shots=$((shots + 1)); import -window root "$work/shot-$shots.png"; fi; }

keys() {
  local id=$1; shift
  xdotool windowfocus --sync "$id"
  shot
  xdotool key --delay "${E2E_KEY_DELAY:-60}" "$@"
  sleep 0.3
  shot
}
text() {
  local id=$1; shift
  xdotool windowfocus --sync "$id"
  xdotool type --delay "${E2E_KEY_DELAY:-60}" "$1"
  sleep 0.3
}

start() {
  LC_ALL=${lang:-es_MX.UTF-8} LANG=${lang:-es_MX.UTF-8} $launch "$program" "$@" >"$work/tallimo.log" 2>&1 &
  app=$!
  apps+=("$app")
}

finish() {
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app" 2>/dev/null && fail "the program did not end"
  wait "$app" || fail "the program ended with an error ($(cat "$work/tallimo.log"))"
}
