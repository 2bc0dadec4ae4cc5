#!/usr/bin/env bash
# Two copies and the recall hotkey: the second copy's notice, Ctrl+Alt+A (also with NumLock on)
# recalling the first copy's window from the background, the clock still running, and the key
# passing to a copy started after the first has ended.
source "$(dirname "$0")/lib.sh" "$1"
write_script '[1,0,0,0,1,0,1,"事件关联文件未指定"]长任务'
mine() { xdotool search --all --onlyvisible --pid "$1" --name '^Tocklet$' 2>/dev/null; }
shown() { [ -n "$(mine "$1")" ]; }
hidden() { [ -z "$(mine "$1")" ]; }
# Starts the shown copy's task and sends it to the background with Alt+G.
to_background() {
  xdotool windowactivate --sync "$(mine "$1")" key Return
  sleep 0.3
  xdotool key alt+g
  until_true hidden "$1" || fail "Background did not hide copy $1"
}

start
first=$pid
until_true shown "$first" || fail "no first window"
to_background "$first"

# The second copy logs "<<" before its notice, and shows its window only after OK.
start
second=$pid
until_true shown "$second" || fail "no notice"
[ "$(mine "$second" | wc -l)" -eq 1 ] && [ "$(log | tail -n 1)" = $'<<\t程序开始运行' ] ||
  fail "notice: $(log)"
sleep 0.5
[ "$(mine "$second" | wc -l)" -eq 1 ] || fail "the second window came before the notice's OK"
notice=$(mine "$second")
xdotool windowactivate --sync "$notice" key Return
until_true eval '[ -n "$(mine "$second")" ] && [ "$(mine "$second")" != "$notice" ]' ||
  fail "no second window after OK"
to_background "$second"

# Ctrl+Alt+A recalls the first copy only; its clock kept running while it was hidden.
xdotool key ctrl+alt+a
until_true shown "$first" || fail "Ctrl+Alt+A did not recall the first copy"
sleep 0.5
hidden "$second" || fail "Ctrl+Alt+A recalled the second copy"
w=$(mine "$first")
above "$w" || fail "the recalled window is not kept above"
a=$(import -window "$w" png:- | md5sum)
sleep 1.2
[ "$a" != "$(import -window "$w" png:- | md5sum)" ] || fail "the clock does not run"

# With NumLock on (toggled in the same call: xdotool drops a lock state when it ends).
xdotool windowactivate --sync "$w" key alt+g
until_true hidden "$first" || fail "Background did not hide the first copy"
xdotool key Num_Lock ctrl+alt+a Num_Lock
until_true shown "$first" || fail "Ctrl+Alt+A with NumLock did not recall"

# The first copy ends; a copy started afterwards, while the second still runs, is warned too
# and holds the key.
pid=$first
kill -TERM "$first"
wait_exit "first copy"
start
third=$pid
until_true shown "$third" || fail "no notice for the third copy"
[ "$(log | tail -n 1)" = $'<<\t程序开始运行' ] || fail "third copy: $(log)"
notice=$(mine "$third")
xdotool windowactivate --sync "$notice" key Return
until_true eval '[ -n "$(mine "$third")" ] && [ "$(mine "$third")" != "$notice" ]' ||
  fail "no third window after OK"
to_background "$third"
xdotool key ctrl+alt+a
until_true shown "$third" || fail "the copy started after the first did not get the key"
echo "copies: ok"
