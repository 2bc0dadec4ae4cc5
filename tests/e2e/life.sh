#!/usr/bin/env bash
# First start and firing; Esc; No to the close question, then SIGTERM; a full disk, a read-only
# script and an unusable log folder (an unwritable program folder: install.sh).
source "$(dirname "$0")/lib.sh" "$1"

# First start: the start line first, the sample script written, the window kept above.
start && until_true shown_above || fail "no window kept above"
[ "$(log)" = $'<\t程序开始运行' ] || fail "start line: $(log)"
[ "$(script_text | wc -l)" -eq 6 ] || fail "sample script: $(script_text)"
# Enter starts the sample's first task (0 s, in the background); it fires: window above, box, log.
focus "$w" && xdotool key Return
box=$(until_true titled 时间到) || fail "no reminder box"
until_true shown_above || fail "the window did not come back above"
[ "$(log | tail -n 2)" = $'*\t开始执行任务 请在这里输入或者从下拉列表中选择你要提醒的事件\n\t任务时间到 事件关联文件未指定' ] ||
  fail "log: $(log)"
focus "$box" && xdotool key Return
# Esc while idle: no question, the exit line last.
focus "$w" && xdotool key Escape; exited "Esc"

# A running task: the close question, and No changes nothing; then SIGTERM: no question, the
# task Start could not save (read-only) saved, the exit line written, status 0.
other='[0,06,0,0,1,1,1,"事件关联文件未指定"]另一个'
write_script "$long00" "$other" && chmod 444 "$dat"
rm "$XDG_STATE_HOME/Klaxo.log"; start_task '开始执行任务 长任务'
xdotool key alt+F4 && until_true count_windows 2 || fail "no close question"
xdotool key n && until_true count_windows 1 || fail "the question stayed open after No"
[ "$(log | wc -l)" -eq 2 ] || fail "No logged something: $(log)"
chmod 644 "$dat" && write_script "$other" "$long" # moved down by another hand
terminate "$pid" "SIGTERM"
[ "$(log | tail -n 2)" = $'*\t开始执行任务 长任务\n>\t系统正常退出' ] || fail "after SIGTERM: $(log)"
[ "$(script_text)" = "$long"$'\n'"$other" ] || fail "not saved at SIGTERM: $(script_text)"

# A full disk (a file size limit), then a read-only script, and no log folder: silent, no change.
export XDG_STATE_HOME="$work/app/task.dat/state"
for limit in 1 unlimited; do
  write_script "$long00" $(seq -f '[0,06,0,0,1,1,1,"x"]%g' 100)
  [ "$limit" = 1 ] || chmod 444 "$dat"
  before=$(md5sum <"$dat")
  ulimit -S -f "$limit"
  start_task
  ulimit -S -f unlimited && sleep 0.5 # Start saves (and is refused) and logs (nowhere), silently
  terminate "$pid" "saves refused, file size limit $limit"
  [ "$(md5sum <"$dat")" = "$before" ] || fail "the script changed ($limit)"
  # Qt's shared-memory window buffer is refused by the file size limit, and Qt says so.
  ! grep -v '^ftruncate() failed' "$work/out" || fail "the program complained"
done

echo "life: ok"
