#!/usr/bin/env bash
# A task firing: Enter starts the sample's first task (0 seconds counted down, in the
# background), the window comes back above with the reminder box, and the log holds both lines.
source "$(dirname "$0")/lib.sh" "$1"
start
w=$(until_true windows) || fail "no window"
xdotool windowactivate --sync "$w" key Return
until_true titled 时间到 >/dev/null || fail "no reminder box"
w=$(until_true windows) || fail "the window did not come back"
above "$w" || fail "the window is not kept above"
[ "$(log | tail -n 2)" = $'*\t开始执行任务 请在这里输入或者从下拉列表中选择你要提醒的事件\n\t任务时间到 事件关联文件未指定' ] ||
  fail "log: $(log)"
echo "fires_task: ok"
