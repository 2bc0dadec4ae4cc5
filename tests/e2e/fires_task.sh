#!/usr/bin/env bash
# The real program on a private X server: its window appears, Enter starts the first stored task (the sample's
# prompt line, a countdown of 0 seconds that goes to the background), the task fires, the window
# comes back with the reminder box on top, and the event log holds both lines.
set -uo pipefail
program=$1
work=$(mktemp -d)
source "$(dirname "$0")/../../scripts/lib/xsession.sh"
start_xsession "$work"
export XDG_STATE_HOME="$work/state"
cp "$program" "$work/tocklet"
"$work/tocklet" >"$work/out" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null; stop_xsession; rm -rf "$work"' EXIT

fail() { echo "$1"; cat "$work/out"; exit 1; }
window=$(wait_for_window) || fail "no window titled Tocklet appeared"
xdotool windowactivate --sync "$window" key Return

for _ in $(seq 300); do
  box=$(xdotool search --onlyvisible --name '^时间到$' 2>/dev/null | head -n 1) && [ -n "$box" ] && break
  sleep 0.05
done
[ -n "${box:-}" ] || fail "no reminder box appeared"
back=$(wait_for_window) || fail "the window did not come back"
xprop -id "$back" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "the window is not kept on top"

log=$(iconv -f GB18030 -t UTF-8 "$XDG_STATE_HOME/Klaxo.log" | tr -d '\r')
grep -qP '^\[[^]]+\]\t\*\t开始执行任务 请在这里输入' <<<"$log" || fail "no start line in: $log"
grep -qP '^\[[^]]+\]\t\t任务时间到 事件关联文件未指定$' <<<"$log" || fail "no firing line in: $log"
echo "task fired"
