# source lib.sh PROGRAM: a private X session, a temporary program folder, helpers that look on.
set -uo pipefail
work=$(mktemp -d)
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/xsession.sh"
start_xsession "$work"
export XDG_STATE_HOME="$work/state"
# A Chinese desktop in UTF-8 (whether or not the locale is generated here): the files are UTF-8.
{ export LANG=zh_CN.UTF-8 LC_ALL= LC_CTYPE=; } 2>/dev/null
mkdir -p "$work/app"
cp "$1" "$work/app/tocklet"
pids=()
trap '[ -z "${pids[*]}" ] || { kill "${pids[@]}"; wait "${pids[@]}"; } 2>/dev/null; stop_xsession; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; cat "$work"/out* 2>/dev/null; exit 1; }
# start [COMMAND...]: a copy, id $pid; start_task [LOGGED]: its first task, window $w, logged.
start() { "${@:-$work/app/tocklet}" >>"$work/out" 2>&1 & pid=$!; pids+=("$pid"); }
start_task() {
  start
  w=$(until_true windows) || fail "no window"
  sleep 0.3 # the program finishes its start-up (a key sent sooner is sometimes lost under load)
  focus "$w" && xdotool key Return
  [ $# -eq 0 ] || until_true log_has "$1" || fail "the task did not start: $(log)"
}
# focus WINDOW: makes it the active window, trying again while the window manager is busy.
focused() { [ -n "$1" ] && { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] || { xdotool windowactivate "$1" 2>/dev/null; false; }; }; }
focus() { until_true focused "$1" || fail "window $1 could not be activated"; }
# Polls a command for up to 15 s.
until_true() { for _ in $(seq 150); do "$@" && return 0; sleep 0.1; done; return 1; }
# Visible windows titled Tocklet, oldest first (xdotool's regexes cannot match Chinese titles).
windows() { xdotool search --onlyvisible --name '^Tocklet$' 2>/dev/null; }
count_windows() { [ "$(windows | wc -l)" -eq "$1" ]; }
titled() {
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && echo "$id" && return 0
  done
  return 1
}
above() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
# The shown window, $w, kept above (the state follows the map).
shown_above() { w=$(windows | head -n 1) && [ -n "$w" ] && above "$w"; }
log() { tr -d '\r' <"$XDG_STATE_HOME/Klaxo.log" | cut -f2-; }
log_has() { log | grep -q -- "$1"; }
script_text() { tr -d '\r' <"$work/app/task.dat"; }
write_script() { printf '%s\r\n' "$@" >"$work/app/task.dat"; }
# Waits for the program to end; fails unless it ended with status 0.
wait_exit() {
  until_true eval '! kill -0 "$pid" 2>/dev/null' || fail "$1: the program did not end"
  wait "$pid" || fail "$1: exit status $?"
}
# terminate PID WHAT: SIGTERM, then wait_exit.
terminate() { pid=$1; kill -TERM "$pid"; wait_exit "$2"; }
