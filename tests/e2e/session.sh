#!/usr/bin/env bash
# Logouts and session saves through a real session manager ($2): one question at most, only
# where the manager allows one; a save that is no logout asks and restores nothing; when the
# session ends, the script saved and the exit line written, with no second question.
source "$(dirname "$0")/lib.sh" "$1"
# A manager (again), its output appended to out.sm.
manager() {
  rm -f "$work/sm.in" "$work/sm.address" && mkfifo "$work/sm.in"
  "$2" "$work/sm.address" <"$work/sm.in" >>"$work/out.sm" 2>&1 & pids+=($!)
  exec 3>"$work/sm.in"
  until_true test -s "$work/sm.address" || fail "no session manager"
  SESSION_MANAGER=$(cat "$work/sm.address") && export SESSION_MANAGER
}
manager "$@"
sm() { echo "$1" >&3; }
said() { grep -c -- "$1" "$work/out.sm"; }
# Written otherwise by Start, which is refused: the session's end saves the task.
write_script "$long00" && chmod 444 "$dat"

# A save that is no logout: no question, the minimised window stays so.
start_task '开始执行任务 长任务'
minimize "$pid" && sm save
until_true eval '[ "$(said SaveYourselfDone)" -eq 1 ]' || fail "the save was not answered"
sleep 0.5 && [ -z "$(windows)" ] && [ "$(said InteractRequest)" -eq 0 ] || fail "a save asked or restored"
# A logout asks once, the window restored; No cancels it.
sm logout && focus "$(question "logout")" && xdotool key n
until_true eval '[ "$(said "ShutdownCancelled sent")" -eq 1 ]' || fail "No did not cancel"
[ "$(said 'InteractDone cancel= 1')" -eq 1 ] && kill -0 "$pid" || fail "cancelled: $(cat "$work/out.sm")"
# A logout the desktop cancels while its question is open: the answer is no longer the manager's.
sm logout && q=$(question "cancelled logout") && sm cancel || fail "no question to cancel"
until_true eval '[ "$(said SaveYourselfDone)" -eq 3 ]' && focus "$q" && xdotool key y || fail "not cancelled"
until_true count_windows 1 && sleep 0.5 && [ "$(said InteractDone)" -eq 1 ] && kill -0 "$pid" || fail "answered"
# A logout without interaction: no question; the session's end saves and logs the exit.
printf '[0,07,0,0,1,1,1,"x"]手写\r\n' >>"$dat" && chmod 644 "$dat"
sm logout-now; exited "logout without interaction"
[ "$(said InteractRequest)" -eq 2 ] || fail "asked without interaction"
[ "$(script_text)" = "$long"$'\n[0,07,0,0,1,1,1,"x"]手写' ] || fail "not saved: $(script_text)"

# A logout while the close question is open waits for its answer; Yes ends the program.
start_task '开始执行任务 长任务'
wmctrl -c Tocklet && q=$(question "close") && sm logout || fail "no close question"
until_true eval '[ "$(said InteractRequest)" -eq 3 ]' || fail "the logout did not ask to interact"
sleep 0.5 && count_windows 2 || fail "a second question"
focus "$q" && xdotool key y
wait_exit "Yes to the open question"
until_true eval '[ "$(said "InteractDone cancel= 0")" -eq 1 ]' || fail "the answer did not reach the logout"

# A logout answered Yes: the session ends with no second question.
start_task '开始执行任务 长任务'
sm logout && focus "$(question "last logout")" && xdotool key y
exited "Yes to the logout"
[ "$(said 'Die sent')" -ge 2 ] || fail "the session's end: $(cat "$work/out.sm")"
# A manager that ends right after Die, or instead of sending it: with no task, no question asked;
# the exit line written, status 0.
for how in hangup gone; do
  start_window
  sm "logout-$how"; exited "the manager gone ($how)"
  [ "$(said InteractRequest)" -eq 4 ] || fail "$how: asked with no task: $(cat "$work/out.sm")"
  manager "$@"
done
echo "session: ok"
