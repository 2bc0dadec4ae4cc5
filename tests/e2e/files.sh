#!/usr/bin/env bash
# The user's files: UTF-8 on a UTF-8 desktop, GB18030 on a GB18030 one; a GBK script stays GBK;
# a line a shell appends, a hand edit and another copy's task all survive the saves.
source "$(dirname "$0")/lib.sh" "$1"
logfile=$XDG_STATE_HOME/Klaxo.log
utf8() { iconv -f UTF-8 -t UTF-8 "$1" >/dev/null 2>&1; }
gb() { iconv -f GB18030 -t UTF-8 "$1"; }
run_once() { start_window env "$@" "$work/app/tocklet"; terminate "$pid" "$*"; }

# New files in the locale's encoding, also where the locale is named but not generated.
run_once LANG=zh_CN.UTF-8
utf8 "$dat" && grep -q '例1:要上课了' "$dat" || fail "task.dat not UTF-8"
utf8 "$logfile" && grep -q '系统正常退出' "$logfile" || fail "Klaxo.log not UTF-8"
rm "$dat" "$logfile"
run_once LANG=zh_CN.GB18030
! utf8 "$dat" && gb "$dat" | grep -q '例1:要上课了' || fail "task.dat not GB18030"
! utf8 "$logfile" && gb "$logfile" | grep -q '系统正常退出' || fail "Klaxo.log not GB18030"

# A long GBK script (read while the window is built) and log from Windows, a UTF-8 line appended:
# Start rewrites its task's line alone, in GBK; the others stay byte for byte; the log stays GBK.
{
  printf '[0,0,030,0,1,0,1,"事件关联文件未指定"]第一\r\n' # in a form Start writes otherwise
  awk 'BEGIN { for (i = 0; i < 20000; i++) printf "[0,0,1,0,1,0,1,\"事件关联文件未指定\"]填%d\r\n", i }'
  echo '[0,0,50,0,1,0,1,"事件关联文件未指定"]下午三点开会'
} | iconv -f UTF-8 -t GBK >"$work/gbk"
echo '[0,0,5,0,1,0,1,"x"]手加的' >>"$work/gbk" # UTF-8
cp "$work/gbk" "$dat"
start_task
until_true eval 'gb "$logfile" | grep -q 开始执行任务' || fail "the task did not start"
first='[0,0,30,0,1,0,1,"事件关联文件未指定"]第一'
saved() { { printf '%s\r\n' "$first" | iconv -f UTF-8 -t GBK; tail -n +2 "$work/gbk"; } | cmp -s - "$dat"; }
until_true saved || fail "not GBK, the other lines byte for byte, after Start"
terminate "$pid" "GBK script"
saved && ! utf8 "$logfile" && gb "$logfile" | grep -q '系统正常退出' || fail "the files changed"

# Lines added by hand while Tocklet runs that are no task (a note, slips) survive Start and exit.
rm "$logfile" && write_script "$long"
start_window
notes=('# 备注' ' [0,0,5,0,1,0,1,"x"]缩进的' '[0,0,5,0,1,0,1, "x"]空格')
printf '%s\r\n' "${notes[@]}" >>"$dat" && xdotool sleep 0.3 key Return
until_true log_has '开始执行任务 长任务' || fail "no start: $(log)"
terminate "$pid" "with notes"
[ "$(script_text | tail -n 3)" = "$(printf '%s\n' "${notes[@]}")" ] || fail "lost: $(script_text)"

# A script the user cannot read (write-only) is never replaced: the message, and a Start writes none.
chmod 755 "$work" "$work/app" && chown 65534 "$work/app" "$XDG_STATE_HOME" && rm -f "$logfile"
printf '[1,0,0,0,1,0,1,"x"]mine\r\n' >"$dat"
chown 65534 "$dat" && chmod 200 "$dat" && cp -p "$dat" "$work/unreadable"
start setpriv --reuid=65534 --regid=65534 --clear-groups "$work/app/tocklet"
focus "$(question "the unreadable script")" && xdotool key Return && until_true count_windows 1 || fail "the message stays"
# 23:59:59 today in clock-time mode, typed into the hours, minutes and seconds.
w=$(windows) && focus "$w"
for at in 77:23 103:59 129:59; do
  xdotool mousemove --window "$w" 143 "${at%:*}" click 1 key ctrl+a type "${at#*:}"
done
xdotool key Return
until_true log_has '开始执行任务' || fail "no start: $(log)"
terminate "$pid" "unreadable script"
cmp -s "$dat" "$work/unreadable" && [ "$(stat -c %a "$dat")" = 200 ] || fail "the script changed"
[ "$(log | cut -f1)" = $'<\n*\n>' ] || fail "log: $(log)"
echo "files: ok"
