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
dat=$work/app/task.dat
pids=()
long='[1,0,0,0,1,0,1,"事件关联文件未指定"]长任务' long00='[1,00,0,0,1,0,1,"事件关联文件未指定"]长任务' # an hour, shown; long00 as Start never writes it
trap '[ -z "${pids[*]}" ] || { kill "${pids[@]}"; wait "${pids[@]}"; } 2>/dev/null; stop_xsession; rm -rf "$work"' EXIT

# start [COMMAND...]: a copy, id $pid. start_window [COMMAND...]: its window $w, focused, and
# 0.3 s for the start-up to end (a key sent sooner is sometimes lost under load). start_task
# [LOGGED]: Enter starts its first task, logged.
start() { "${@:-$work/app/tocklet}" >>"$work/out" 2>&1 & pid=$!; pids+=("$pid"); }
start_window() { start "$@"; w=$(until_true windows) || fail "no window"; focus "$w"; sleep 0.3; }
start_task() { start_window && xdotool key Return; [ $# -eq 0 ] || until_true log_has "$1" || fail "the task did not start: $(log)"; }
# The visible windows of the copy with this process id; shown, hidden [PID]: $pid's unless told.
mine() { xdotool search --all --onlyvisible --pid "$1" --name '^Tocklet$' 2>/dev/null; }
shown() { [ -n "$(mine "${1:-$pid}")" ]; }
hidden() { ! shown "$@"; }
# background PID [KEYS...]: keys in the copy's window (Alt+G unless told), then the window must go.
background() { local p=$1 && shift; focus "$(mine "$p")" && xdotool key "${@:-alt+g}"; until_true hidden "$p" || fail "${*:-alt+g} did not hide copy $p"; }
minimize() { xdotool windowminimize --sync "$(mine "$1")"; until_true hidden "$1" || fail "not minimised"; }
# key_recalls PID WHAT [KEYS...]: the keys (Ctrl+Alt+A unless told) show the copy's window again.
key_recalls() { local p=$1 what=$2 && shift 2; xdotool key "${@:-ctrl+alt+a}"; until_true shown "$p" || fail "$what"; }
# start_later: another copy; "<<" is logged while its notice is its only window; OK shows its own.
start_later() {
  start && until_true shown || fail "no notice"
  sleep 0.5 && [ "$(mine "$pid" | wc -l)" -eq 1 ] && [ "$(log | tail -n 1)" = $'<<\t程序开始运行' ] || fail "notice: $(log)"
  notice=$(mine "$pid") && focus "$notice" && xdotool key Return
  until_true eval '[ -n "$(mine "$pid")" ] && [ "$(mine "$pid")" != "$notice" ]' || fail "no window after the notice"
}
count_windows() { [ "$(windows | wc -l)" -eq "$1" ]; }
question() { until_true count_windows 2 || fail "$1: no question"; windows | tail -n 1; } # question WHAT: its id
# The shown window, $w, kept above (the state follows the map).
shown_above() { w=$(windows | head -n 1) && [ -n "$w" ] && above "$w"; }
log() { tr -d '\r' <"$XDG_STATE_HOME/Klaxo.log" | cut -f2-; }
log_has() { log | grep -q -- "$1"; }
script_text() { tr -d '\r' <"$dat"; }
write_script() { printf '%s\r\n' "$@" >"$dat"; }
# Waits for the program to end; fails unless it ended with status 0.
wait_exit() { until_true ended || fail "$1: the program did not end"; wait "$pid" || fail "$1: exit status $?"; }
# exited WHAT: wait_exit, and the exit line logged last.
exited() { wait_exit "$1"; [ "$(log | tail -n 1)" = $'>\t系统正常退出' ] || fail "$1: no exit line: $(log)"; }
# terminate PID WHAT: SIGTERM, then wait_exit.
terminate() { pid=$1; kill -TERM "$pid"; wait_exit "$2"; }
