#!/usr/bin/env bash
# Real keys and clicks on the General page (what offscreen events do not show): Delete and Tab
# in the time fields, Up and Down in a field, a click on a label, and a stored text typed and
# left in the reminder box. Start writes the fields into task.dat, which shows what they held.
source "$(dirname "$0")/lib.sh" "$1"
write_script '[0,0,0,0,1,0,1,"事件关联文件未指定"]task' '[9,9,9,0,1,0,1,"事件关联文件未指定"]task2'
start
w=$(until_true windows) || fail "no window"
# Window coordinates of a control on the General page: the strip at 8,8, the page at 9,26.
click_at() { xdotool mousemove --window "$w" $((17 + $1)) $((34 + $2)) click 1; }
first_line_has() { script_text | head -n 1 | grep -qF -- "$1"; }
started_as() {
  until_true first_line_has "$1" || fail "$2: $(script_text)"
  xdotool key alt+s # Stop (a mnemonic clicks after a short animation)
  sleep 0.3
}

# The caret is after the minutes' 0: Home and Delete remove it, Tab moves to the hours,
# Shift+Tab back; Down and a click on the label "分钟:" leave the focus in the field.
xdotool windowactivate --sync "$w"
sleep 0.3 # the activation places the caret
xdotool key Home Delete type 7
xdotool key Tab type 2
xdotool key shift+Tab End Down
click_at 30 68
xdotool key Up type 5
xdotool key Return
started_as '[2,75,0,' "Delete, Tab, Shift+Tab, arrows, a label click"

# A stored text typed into the reminder box and left: the fields keep what was typed.
click_at 100 68 # the minutes
xdotool key End shift+Home type 3
click_at 100 150 # the reminder box
xdotool key End shift+Home type task2
click_at 100 42 # the hours
xdotool key Return
started_as '[2,3,0,' "a typed stored text applied its task"
echo "input: ok"
