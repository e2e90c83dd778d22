# An X server of the test's own: Xvfb on the first display no one uses (it
# picks it itself), with openbox managing its windows, exported as DISPLAY once
# both answer (within 20 s each: a loaded machine is slow to start them); both
# are killed at exit. Logs go to $work (see work.sh). Then finding the windows a
# program shows there. The caller defines fail.
#   x11_start [WIDTHxHEIGHT]                 1280x800 by default
#   x11_window PATTERN SECONDS [PID] [CLASS] prints the first visible window whose
#       title matches PATTERN (xdotool's, without regard to case; any title when
#       empty), of the process PID, or whose class is CLASS (a program under a
#       launcher, whose windows are no process's of ours), within SECONDS; fails
#       when none shows
#   x11_gone WINDOW                          waits up to 20 s for it to go; fails if it stays
source "$(dirname "${BASH_SOURCE[0]}")/work.sh"

x11_start() {
  local display='' xvfb wm
  : >"$work/x11-display"
  # Without -noreset the server resets as the first client leaves, and refuses
  # the next one (openbox) a moment.
  Xvfb -displayfd 3 -noreset -screen 0 "${1:-1280x800}x24" -nolisten tcp 3>"$work/x11-display" \
    >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  at_exit "kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null"
  # The number is written once the server takes connections.
  for _ in $(seq 200); do
    display=$(cat "$work/x11-display")
    [ -n "$display" ] && xdpyinfo -display ":$display" >/dev/null 2>&1 && break
    sleep 0.1
  done
  [ -n "$display" ] && xdpyinfo -display ":$display" >/dev/null 2>&1 || fail "the X server did not start"
  export DISPLAY=:$display
  openbox >"$work/openbox.log" 2>&1 &
  wm=$!
  at_exit "kill $wm 2>/dev/null; wait $wm 2>/dev/null"
  # Managing windows from the moment it names itself on the root window.
  for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return
    kill -0 "$wm" 2>/dev/null || break
    sleep 0.1
  done
  fail "the window manager did not start ($(tail -3 "$work/openbox.log"))"
}

x11_window() {
  local pattern=${1:-.*} pid=${3:-} class=${4:-} owner=() id
  [ -z "$pid" ] || owner=(--pid "$pid")
  for _ in $(seq $(($2 * 10))); do
    for id in $(xdotool search --all --onlyvisible "${owner[@]}" --name "$pattern" 2>/dev/null); do
      if [ -z "$class" ] || xprop -id "$id" WM_CLASS 2>/dev/null | grep -qiF "\"$class\""; then
        echo "$id"
        return
      fi
    done
    sleep 0.1
  done
  return 1
}

x11_gone() {
  for _ in $(seq 200); do
    xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
    xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable' || return 0
    sleep 0.1
  done
  return 1
}
