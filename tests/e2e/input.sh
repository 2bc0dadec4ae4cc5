#!/usr/bin/env bash
# Real X11 keys and clicks in the time fields; Start writes them into task.dat, which shows them.
source "$(dirname "$0")/lib.sh" "$1"
restart() { terminate "$pid" "$1"; start_window; } # restart WHAT: the copy ended, a new one's window
write_script '[0,0,0,0,1,0,1,"事件关联文件未指定"]task'
start_window env QT_QPA_PLATFORMTHEME=gtk3 "$work/app/tocklet" # as on GNOME; the caret after the 0
# Home Delete drop the 0; Tab, Shift+Tab; Down and a click on the label "分钟:" keep the focus.
xdotool key Home Delete type 7
xdotool key Tab type 2
xdotool key shift+Tab End Down
xdotool mousemove --window "$w" 47 102 click 1
xdotool key Up type 5
xdotool key Return
first_line_has() { script_text | head -n 1 | grep -qF -- "$1"; }
until_true first_line_has '[2,75,0,' || fail "Delete, Tab, Shift+Tab, arrows, a label click: $(script_text)"

# A click into a field selects its text; a paste by Shift+Insert or the middle button keeps only
# what the keys would let through.
restart "first run"
printf 1x2 | xclip -selection primary # the click's own selection must not replace it
xdotool mousemove --window "$w" 110 76 click 1 type 30 # into the hours
printf 4ab9876 | xclip -selection clipboard
xdotool key shift+Tab shift+Insert # into the minutes
xdotool mousemove --window "$w" 170 132 click 2 sleep 0.2 key Return
until_true first_line_has '[30,49876,12,' || fail "a click, Shift+Insert, the middle button: $(script_text)"

# A file dragged from a source that prefers a move onto the related file (Advanced page) is
# taken as a copy: the file stays, its name is the related file.
terminate "$pid" "second run"
write_script '[1,0,0,1,1,0,1,"事件关联文件未指定"]task'
start_window
touch "$work/song.mp3"
"$2" "$work/song.mp3" & pids+=($!)
src=$(until_true xdotool search --onlyvisible --name 'drag source') || fail "no drag source"
xdotool sleep 0.5 mousemove --window "$w" 120 12 click 1 sleep 0.3 mousemove --window "$src" 50 50 mousedown 1
for at in "60 60" "120 120" "--window $w 120 120" "--window $w 130 128"; do
  sleep 0.2 && xdotool mousemove $at
done
xdotool sleep 0.3 mouseup 1 sleep 0.5 windowactivate --sync "$w" key Return
until_true grep -qF "$work/song.mp3\"]" "$dat" && [ -e "$work/song.mp3" ] || fail "the drop: $(script_text)"

# The mode dialog's frame is centred over the window's, by the window manager's frames.
centre() {
  local X Y WIDTH HEIGHT e
  eval "$(xdotool getwindowgeometry --shell "$1")"
  read -ra e <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS | tr -dc '0-9,' | tr ',' ' ')"
  echo $((X - e[0] + (WIDTH + e[0] + e[1]) / 2)) $((Y - e[2] + (HEIGHT + e[2] + e[3]) / 2))
}
restart "third run" && xdotool key alt+m
d=$(until_true titled 选择模式) && sleep 0.3 || fail "no mode dialog"
read -r wx wy dx dy <<<"$(centre "$w") $(centre "$d")"
[ $(((wx - dx) * (wx - dx) + (wy - dy) * (wy - dy))) -le 16 ] ||
  fail "the mode dialog centred at $dx,$dy, the window at $wx,$wy"
echo "input: ok"
