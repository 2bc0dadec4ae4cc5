#!/usr/bin/env bash
# Real X11 keys and clicks in the time fields: Delete, Tab, Shift+Tab, Up, Down, a label click.
# Start writes the fields into task.dat, which shows what they held.
source "$(dirname "$0")/lib.sh" "$1"
write_script '[0,0,0,0,1,0,1,"事件关联文件未指定"]task'
start
w=$(until_true windows) || fail "no window"
xdotool windowactivate --sync "$w"
sleep 0.3 # the activation puts the caret after the minutes' 0
# Home and Delete remove the 0, Tab moves to the hours, Shift+Tab back; Down and a click on the
# label "分钟:" (the strip at 8,8, the page at 9,26 in the window) leave the focus in the field.
xdotool key Home Delete type 7
xdotool key Tab type 2
xdotool key shift+Tab End Down
xdotool mousemove --window "$w" 47 102 click 1
xdotool key Up type 5
xdotool key Return
first_line_has() { script_text | head -n 1 | grep -qF -- '[2,75,0,'; }
until_true first_line_has || fail "Delete, Tab, Shift+Tab, arrows, a label click: $(script_text)"
echo "input: ok"
