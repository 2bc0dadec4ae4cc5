#!/usr/bin/env bash
# windows.sh BUILD_DIR: Tocklet.exe under Wine on the windows platform (scripts/windows --test gives
# the Wine prefix and the X display), each part below saying what it checks. The program runs from
# the portable folder as `cmake --install` makes it (the zip's), with nothing on Wine's path: a DLL
# missing from the folder fails the test.
set -uo pipefail
[ -n "${WINEPREFIX:-}" ] && [ -n "${DISPLAY:-}" ] ||
  { echo "needs Wine and a display: run it through scripts/windows --test"; exit 1; }
WINE=/usr/lib/wine/wine64
work=$(mktemp -d)
pids=()
trap '[ -z "${pids[*]}" ] || { kill "${pids[@]}"; wait "${pids[@]}"; } 2>/dev/null; rm -rf "$work"' EXIT
source "$(dirname "$0")/helpers.sh"
UNTIL_SECONDS=20 # Wine starts a process slowly
cmake --install "$1" --prefix "$work/app" >/dev/null || fail "install"
unset QT_QPA_PLATFORM WINEPATH
# The licences beside the program; the manifest and the Remote Desktop flag in it.
(cd "$work/app" && ls LICENSE LICENSE.LGPL3 LICENSE.GPL3 THIRD-PARTY.txt QT-COPYRIGHT.txt) >/dev/null ||
  fail "a licence is missing"
strings "$work/app/Tocklet.exe" | grep '<longPathAware' >/dev/null &&
  x86_64-w64-mingw32-objdump -p "$work/app/Tocklet.exe" | grep TERMINAL_SERVICE_AWARE >/dev/null ||
  fail "no manifest or not Terminal-Server aware"
drive=$WINEPREFIX/drive_c
rm -f "$drive/windows/Klaxo.log" "$drive/cmd.txt" "$drive/held.txt"
start() { $WINE "$work/app/Tocklet.exe" >>"$work/out" 2>&1 & pid=$!; pids+=("$pid"); }
window() { w=$(until_true windows | head -n 1) || fail "no window"; sleep 0.5; }
gbk() { iconv -f GB18030 -t UTF-8 "${1:-$work/app/task.dat}" | tr -d '\r'; } # task.dat unless told
log() { gbk "$drive/windows/Klaxo.log" | cut -f2-; }
last_log() { [ "$(log | tail -n 1)" = "$1" ]; }
write_script() { printf '%s\r\n' "$@" | iconv -f UTF-8 -t GB18030 >"$work/app/task.dat"; }
quit() { focus "$w" && xdotool key Escape; until_true ended || fail "Esc did not end the program"; }

# First start: the sample in code page 936 beside the program, the start line in the Windows
# folder's log. Enter starts the sample's first task (0 s, in the background): its box.
start && window
until_true above "$w" || fail "not kept above" # Wine shows a topmost window as "above"
until_true test -s "$work/app/task.dat" || fail "no task.dat beside Tocklet.exe"
! iconv -f UTF-8 -t UTF-8 "$work/app/task.dat" >/dev/null 2>&1 || fail "task.dat is not in code page 936"
[ "$(gbk | wc -l)" -eq 6 ] && gbk | grep -q '请在这里输入' || fail "sample script: $(gbk)"
[ "$(log)" = $'<\t程序开始运行' ] || fail "start line: $(log)"
focus "$w" && xdotool key Return
reminded "no reminder box"
log | grep -q $'\t任务时间到' || fail "log: $(log)"
quit

# A console command: "cmd:" runs cmd /c in a console window of its own, which closes with it;
# the system's console, never a cmd.exe beside the program.
write_script '[0,0,0,1,0,0,1,"cmd:echo ran>C:\cmd.txt & pause"]命令'
cp "$drive/windows/system32/hostname.exe" "$work/app/cmd.exe"
start && window && focus "$w" && xdotool key Return
consoles() { xdotool search --onlyvisible --class conhost.exe 2>/dev/null; }
console=$(until_true consoles | head -n 1) || fail "no console window"
until_true grep -q ran "$drive/cmd.txt" || fail "the command did not run"
focus "$console" && xdotool key space
until_true eval '[ -z "$(consoles)" ]' || fail "the console stayed open after the command"
quit

# The installer and the uninstaller refuse while Tocklet runs, in a message above its window.
nsis=$(dirname "$0")/../../packaging/windows
cmake --install "$1" --prefix "$work/clean" >/dev/null && makensis -V1 -INPUTCHARSET UTF8 \
  -DVERSION=test -DSOURCE="$work/clean" -DOUTFILE="$work/setup.exe" -DICON="$(realpath "$nsis/tocklet.ico")" \
  "$nsis/tocklet.nsi" || fail "no installer"
uninstall="$drive/Program Files/Tocklet/Uninstall.exe"
rm -rf "${uninstall%/*}" && $WINE "$work/setup.exe" /S && [ -f "$uninstall" ] || fail "not installed"
start && window
for program in "$work/setup.exe" "$uninstall"; do
  $WINE "$program" >/dev/null 2>&1 & pids+=($!)
  box=$(until_true eval 'windows | grep -vx "$w"' | head -n 1) || fail "$program: no message"
  until_true above "$box" && focus "$box" || fail "$program: the message is not above"
  xdotool key Return
  until_true eval '[ -z "$(windows | grep -vx "$w")" ]' || fail "$program stays"
done
quit && $WINE "$uninstall" /S && until_true eval '[ ! -e "${uninstall%/*}" ]' || fail "files left"

$WINE notepad >>"$work/out.notepad" 2>&1 & pids+=($!)
notepad=$(until_true xdotool search --onlyvisible --class notepad | head -n 1) || fail "no Notepad"
# Another program holds Ctrl+Alt+A: Background leaves the window of an hour's task minimised, in
# the task bar; once the holder ends, the key is taken while the window waits (Wine hands the key
# to a Wine window's program only: it is pressed in Notepad).
$WINE "$1/tests/tocklet_key_holder.exe" 'C:\held.txt' & holder=$!; pids+=($holder)
until_true test -s "$drive/held.txt" || fail "the key holder did not take the key"
write_script '[1,0,0,0,1,0,1,"事件关联文件未指定"]一小时'
TOCKLET_KEY_RETRY_SECONDS=1 start && window && focus "$w" && xdotool key Return alt+g
until_true iconic "$w" || fail "Background without the key did not minimise"
kill "$holder"
until_true eval 'focus "$notepad"; xdotool key ctrl+alt+a; sleep 0.5; [ -n "$(windows)" ]' ||
  fail "the key let go was not taken"
# With the key, Background hides the window; Ctrl+Alt+A in Notepad brings it back.
w=$(windows | head -n 1) && focus "$w" && xdotool key alt+g
until_true eval '[ -z "$(windows)" ]' || fail "Background with the key did not hide the window"
# A second copy: "<<" and its notice, then a window of its own, which Esc ends.
first=$pid && start
until_true last_log $'<<\t程序开始运行' || fail "second copy: $(log)"
notice=$(until_true windows | head -n 1) || fail "no notice"
focus "$notice" && xdotool key Return
w=$(until_true eval 'windows | grep -vx "$notice"' | head -n 1) || fail "no second window"
quit && pid=$first
focus "$notepad" && xdotool key ctrl+alt+a
w=$(until_true windows | head -n 1) || fail "Ctrl+Alt+A did not recall the window"

# The end of the Windows session while the task runs: the question; No keeps the program and
# cancels the logout, Yes ends it with the script saved and the exit line written.
for answer in n y; do
  $WINE wineboot -e >/dev/null 2>&1 & session=$!
  until_true eval '[ "$(windows | wc -l)" -eq 2 ]' || fail "no question at the session's end"
  focus "$(windows | grep -vx "$w" | head -n 1)" && xdotool key "$answer"
  until_true eval '! kill -0 $session 2>/dev/null' || fail "the session's end did not finish ($answer)"
  [ "$answer" = y ] || { ! ended && [ "$(windows | wc -l)" -eq 1 ] || fail "No ended the program"; }
done
until_true ended || fail "Yes did not end the program"
last_log $'>\t系统正常退出' || fail "no exit line at the session's end: $(log)"
gbk | grep -q '^\[1,0,0,0,1,0,1,.*一小时$' || fail "script: $(gbk)"
echo "windows: ok"
