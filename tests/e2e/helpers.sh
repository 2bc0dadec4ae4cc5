# Sourced by the end-to-end scripts (Linux and Wine): failing with the program's output, polling,
# and windows found by title and given the focus. Each script has a $work folder.
fail() { echo "FAIL: $*"; cat "$work"/out* 2>/dev/null; exit 1; }
# Polls a command for up to 15 s (UNTIL_SECONDS).
until_true() { for _ in $(seq $((${UNTIL_SECONDS:-15} * 10))); do "$@" && return 0; sleep 0.1; done; false; }
# focus WINDOW: makes it the active window, trying again while the window manager is busy.
focused() { [ -n "$1" ] && { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] || { xdotool windowactivate "$1" 2>/dev/null; false; }; }; }
focus() { until_true focused "$1" || fail "window $1 could not be activated"; }
above() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
# reminded WHAT: the reminder box shows (else "FAIL: WHAT"), and Enter closes it.
reminded() { box=$(until_true titled 时间到) || fail "$1"; focus "$box" && xdotool key Return; until_true eval '! titled 时间到 >/dev/null' || fail "$1: the box stayed open"; }
iconic() { xprop -id "$1" WM_STATE | grep -q Iconic; }
ended() { ! kill -0 "$pid" 2>/dev/null; }
# Visible windows titled Tocklet, oldest first.
windows() { xdotool search --onlyvisible --name '^Tocklet$' 2>/dev/null; }
# The first visible window with this title (xdotool's regexes cannot match Chinese titles).
titled() {
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && echo "$id" && return 0
  done
  return 1
}
