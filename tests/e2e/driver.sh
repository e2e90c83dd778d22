# Sourced by the end-to-end tests: an X server of the test's own (Xvfb and
# openbox; E2E_DISPLAY names one that a calling test already started) and the
# helpers that drive the program through it with X11 events. The caller sets
# `program` (its path; under a launcher it may be a Windows path) and `launch`
# (a launcher such as "timeout 120 wine", or empty), and may set `lang`.
work=$(mktemp -d /tmp/tallimo-e2e.XXXXXX)
pids=()

cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  [ -n "${KEEP:-}" ] || rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "e2e: $*" >&2; exit 1; }

if [ -n "${E2E_DISPLAY:-}" ]; then
  export DISPLAY=$E2E_DISPLAY
else
  display=:$((90 + RANDOM % 100))
  Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  pids+=($!)
  export DISPLAY=$display
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xdpyinfo >/dev/null 2>&1 || fail "the X server did not start"
  openbox >"$work/openbox.log" 2>&1 &
  pids+=($!)
  sleep 0.5
fi

# A launcher owns no window; the display is the test's own anyway.
owner=()
# The visible window of the program whose title matches (any title when none is
# given), waiting up to E2E_WAIT seconds (20 by default; a first start under
# Wine builds its font cache first).
window() {
  local id
  [ -n "$launch" ] || owner=(--pid "$app")
  for _ in $(seq $((${E2E_WAIT:-20} * 10))); do
    for id in $(xdotool search --all --onlyvisible "${owner[@]}" --name "${1:-.*}" 2>/dev/null); do
      # Under a launcher: the program's windows carry its file name as their
      # class (Wine's); the launcher's own windows do not.
      if [ -z "$launch" ] ||
         xprop -id "$id" WM_CLASS 2>/dev/null | grep -qiF "\"${program##*[/\\]}\""; then
        echo "$id"
        return
      fi
    done
    sleep 0.1
  done
  fail "no window named '$1'"
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
gone() {
  for _ in $(seq 200); do
    xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
    xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable' || return 0
    sleep 0.1
  done
  fail "window $1 stayed"
}

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
  pids+=("$app")
}

finish() {
  for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$app" 2>/dev/null && fail "the program did not end"
  wait "$app" || fail "the program ended with an error ($(cat "$work/tallimo.log"))"
}
