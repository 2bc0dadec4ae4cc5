#!/usr/bin/env bash
# together.sh PROGRAM [ROUNDS]: two copies on one 20,000-line script, Start pressed in both at
# once (ROUNDS times, default 3; scripts/together runs more): each task is in task.dat once.
source "$(dirname "$0")/lib.sh" "$1"
awk 'BEGIN { for (i = 0; i < 20000; i++) printf "[1,0,0,0,1,0,1,\"事件关联文件未指定\"]填%d\r\n", i }' >"$work/long"
remind() { focus "$1" && xdotool mousemove --window "$1" 200 189 click 1 key ctrl+a type "$2"; }
for round in $(seq "${2:-3}"); do
  cp "$work/long" "$dat" && rm -f "$XDG_STATE_HOME/Klaxo.log"
  start && a=$pid && wa=$(until_true mine "$a") || fail "round $round: no first window"
  start_later && b=$pid && wb=$(mine "$b")
  xdotool windowmove --sync "$wb" 0 0 sleep 0.3
  remind "$wb" "copyB$round" && remind "$wa" "copyA$round"
  # Start in both, the key sent to each window in one go (a focus change outlasts a save).
  xdotool key --delay 0 --window "$wa" Return key --delay 0 --window "$wb" Return
  until_true eval '[ "$(log | grep -c 开始执行任务)" -eq 2 ]' || fail "round $round: $(log)"
  terminate "$a" "round $round, first copy" && terminate "$b" "round $round, second copy"
  for task in "copyA$round" "copyB$round" 填0 填19999; do
    [ "$(grep -c "]$task"$'\r$' "$dat")" -eq 1 ] || fail "round $round: $task not there once"
  done
  [ "$(wc -l <"$dat")" -eq 20002 ] || fail "round $round: $(wc -l <"$dat") lines"
done
echo "together: ok (${2:-3} rounds)"
