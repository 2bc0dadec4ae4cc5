# source lib.sh PROGRAM: a private X session, a temporary program folder, helpers that look on.
set -uo pipefail
work=$(mktemp -d)
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/xsession.sh"
source "$(dirname "${BASH_SOURCE[0]}")/helpers.sh"
start_xsession "$work"
export XDG_STATE_HOME="$work/state"
# A Chinese desktop in UTF-8 (whether or not the locale is generated here): the files are UTF-8.
{ export LANG=zh_CN.UTF-8 LC_ALL= LC_CTYPE=; } 2>/dev/null
mkdir -p "$work/app"
cp "$1" "$work/app/tocklet"
pids=()
trap '[ -z "${pids[*]}" ] || { kill "${pids[@]}"; wait "${pids[@]}"; } 2>/dev/null; stop_xsession; rm -rf "$work"' EXIT

# start [COMMAND...]: a copy, id $pid; start_task [LOGGED]: its first task, window $w, logged.
start() { "${@:-$work/app/tocklet}" >>"$work/out" 2>&1 & pid=$!; pids+=("$pid"); }
start_task() {
  start
  w=$(until_true windows) || fail "no window"
  sleep 0.3 # the program finishes its start-up (a key sent sooner is sometimes lost under load)
  focus "$w" && xdotool key Return
  [ $# -eq 0 ] || until_true log_has "$1" || fail "the task did not start: $(log)"
}
# The visible windows of the copy with this process id.
mine() { xdotool search --all --onlyvisible --pid "$1" --name '^Tocklet$' 2>/dev/null; }
count_windows() { [ "$(windows | wc -l)" -eq "$1" ]; }
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
