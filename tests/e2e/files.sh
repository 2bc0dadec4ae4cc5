#!/usr/bin/env bash
# The user's files: UTF-8 on a UTF-8 desktop, GB18030 on a GB18030 one; a GBK script stays GBK;
# a line a shell appends, a hand edit and another copy's task all survive the saves.
source "$(dirname "$0")/lib.sh" "$1"
dat=$work/app/task.dat
logfile=$XDG_STATE_HOME/Klaxo.log
utf8() { iconv -f UTF-8 -t UTF-8 "$1" >/dev/null 2>&1; }
gb() { iconv -f GB18030 -t UTF-8 "$1"; }
run_once() {
  start env "$@" "$work/app/tocklet"
  until_true windows >/dev/null || fail "no window ($*)"
  terminate "$pid" "$*"
}

# New files in the locale's encoding, also where the locale is named but not generated.
run_once LANG=zh_CN.UTF-8
utf8 "$dat" && grep -q '例1:要上课了' "$dat" || fail "task.dat not UTF-8"
utf8 "$logfile" && grep -q '系统正常退出' "$logfile" || fail "Klaxo.log not UTF-8"
rm "$dat" "$logfile"
run_once LANG=zh_CN.GB18030
! utf8 "$dat" && gb "$dat" | grep -q '例1:要上课了' || fail "task.dat not GB18030"
! utf8 "$logfile" && gb "$logfile" | grep -q '系统正常退出' || fail "Klaxo.log not GB18030"

# A long GBK script (read while the window is built) and log from Windows, and a line a UTF-8
# shell appends: Start lists it and keeps every line byte for byte; the log goes on in GBK.
rm "$dat"
lines=('[0,0,30,0,1,0,1,"事件关联文件未指定"]第一' '[0,0,40,0,1,0,1,"事件关联文件未指定"]第二')
{
  printf '%s\r\n' "${lines[@]}"
  awk 'BEGIN { for (i = 0; i < 20000; i++) printf "[0,0,1,0,1,0,1,\"事件关联文件未指定\"]填%d\r\n", i }'
} | iconv -f UTF-8 -t GBK >"$work/gbk"
cp "$work/gbk" "$dat"
appended='[0,0,50,0,1,0,1,"事件关联文件未指定"]下午三点开会'
echo "$appended" >>"$dat"
start_task
started_copy=$pid
started() { gb "$logfile" | grep -q '开始执行任务'; }
until_true started || fail "the task did not start"
kept_gbk() { { cat "$work/gbk" && echo "$appended"; } | cmp -s - "$dat"; }
until_true kept_gbk || fail "not byte for byte after Start"

# A second copy starts a task of its own and ends; a line is added by hand; the first ends.
start
until_true count_windows 2 || fail "no notice"
notice=$(windows | tail -n 1)
focus "$notice" && xdotool key Return
until_true eval 'count_windows 2 && [ "$(windows | tail -n 1)" != "$notice" ]' || fail "no window"
focus "$(windows | tail -n 1)" && xdotool key shift+Tab shift+Tab ctrl+a type copyB
xdotool key Return
until_true grep -q 'copyB' "$dat" || fail "the second copy's task was not saved"
terminate "$pid" "second copy"
printf '[0,0,5,0,1,0,1,"x"]手加的\r\n' | iconv -f UTF-8 -t GBK >>"$dat"
terminate "$started_copy" "first copy"
# A task's line, in GBK or in UTF-8.
has_task() { grep -qF -e "]$(printf %s "$1" | iconv -f UTF-8 -t GBK)" -e "]$1" "$dat"; }
for task in copyB 第一 第二 填19999 下午三点开会 手加的; do
  has_task "$task" || fail "$task lost"
done
! utf8 "$dat" && ! utf8 "$logfile" && gb "$logfile" | grep -q '系统正常退出' ||
  fail "the files changed encoding"

# Lines added by hand while Tocklet runs that are no task (a note, slips) survive Start and exit.
rm "$logfile"
write_script '[1,0,0,0,1,0,1,"事件关联文件未指定"]长任务'
start
w=$(until_true windows) || fail "no window"
notes=('# 备注' ' [0,0,5,0,1,0,1,"x"]缩进的' '[0,0,5,0,1,0,1, "x"]空格')
printf '%s\r\n' "${notes[@]}" >>"$dat"
sleep 0.3
focus "$w" && xdotool key Return
until_true log_has '开始执行任务 长任务' || fail "no start: $(log)"
terminate "$pid" "with notes"
for line in "${notes[@]}"; do
  script_text | grep -qxF -- "$line" || fail "lost: $line"
done

# A script the user cannot read (write-only, an ordinary user) is never replaced: the message,
# an empty list, and a Start that writes nothing.
chmod 755 "$work" "$work/app"
chown 65534 "$work/app" "$XDG_STATE_HOME"
printf '[1,0,0,0,1,0,1,"x"]mine\r\n' >"$dat"
chown 65534 "$dat" && chmod 200 "$dat" && cp -p "$dat" "$work/unreadable"
rm -f "$logfile"
start setpriv --reuid=65534 --regid=65534 --clear-groups "$work/app/tocklet"
until_true count_windows 2 || fail "no message for the unreadable script"
focus "$(windows | tail -n 1)" && xdotool key Return
until_true count_windows 1 || fail "the message stays"
# 23:59:59 today in clock-time mode, typed into the hours, minutes and seconds.
w=$(windows) && focus "$w"
for field in '77 23' '103 59' '129 59'; do
  set -- $field
  xdotool mousemove --window "$w" 143 "$1" click 1 key ctrl+a type "$2"
done
xdotool key Return
until_true log_has '开始执行任务' || fail "no start: $(log)"
terminate "$pid" "unreadable script"
cmp -s "$dat" "$work/unreadable" && [ "$(stat -c %a "$dat")" = 200 ] || fail "the script changed"
[ "$(log | cut -f1)" = $'<\n*\n>' ] || fail "log: $(log)"
echo "files: ok"
