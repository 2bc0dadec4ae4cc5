# Sourced by scripts that show Tocklet on a private X server: start_xvfb starts Xvfb alone and
# start_xsession Xvfb and openbox in the folder given, stop_xsession ends them, wait_for_window prints the id of the
# first visible window titled Tocklet or fails after 20 s.
start_xvfb() {
  local work=$1
  # -noreset: the short-lived clients (xprop, xdotool) must not make the server reset whenever
  # the last one leaves, refusing whoever connects meanwhile.
  Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  XSESSION_PIDS=$!
  for _ in $(seq 600); do [ -s "$work/display" ] && break; sleep 0.05; done
  export DISPLAY=":$(cat "$work/display")"
  export XDG_RUNTIME_DIR="$work/runtime"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  unset QT_QPA_PLATFORM WAYLAND_DISPLAY
}

start_xsession() {
  local work=$1 wm=
  start_xvfb "$work"
  # A window mapped while openbox is still starting can be left unmapped: wait until it
  # announces itself on the root window with the whole list of what it supports (the check
  # window comes first, the list a little later). On a loaded machine openbox sometimes fails to
  # open a display that has just started: start it again.
  for _ in $(seq 600); do
    if [ -z "$wm" ] || ! kill -0 "$wm" 2>/dev/null; then
      openbox >>"$work/out.openbox" 2>&1 &
      wm=$!
    fi
    xprop -root _NET_SUPPORTED 2>/dev/null | grep -q '_NET_ACTIVE_WINDOW' && break
    sleep 0.05
  done
  XSESSION_PIDS="$XSESSION_PIDS $wm"
}

stop_xsession() {
  # shellcheck disable=SC2086
  kill $XSESSION_PIDS 2>/dev/null
  wait $XSESSION_PIDS 2>/dev/null
  return 0
}

# xdotool's own --sync misses windows mapped while it starts, so poll.
wait_for_window() {
  for _ in $(seq 200); do
    xdotool search --onlyvisible --name '^Tocklet$' 2>/dev/null | head -n 1 | grep . && return 0
    sleep 0.1
  done
  return 1
}
