#!/usr/bin/env bash
# Copies: a later one's "<<" and notice; Ctrl+Alt+A recalls the first; the key passes on at its end.
source "$(dirname "$0")/lib.sh" "$1"
write_script "$long"
place() { xdotool getwindowgeometry "$1" | grep Position | cut -d' ' -f4; }
at_place() { local win=$1; until_true eval '[ "$(place "$win")" = "$at" ]'; }

# No copy runs: --recall says so in one line.
out=$("$work/app/tocklet" --recall 2>&1) && fail "--recall without a copy succeeded"
[ "$(wc -l <<<"$out")" -eq 1 ] || fail "--recall: $out"
# Another program holds Ctrl+Alt+A (a copy with a runtime folder of its own and no bus).
mkdir -m 700 "$work/rt2"
start env XDG_RUNTIME_DIR="$work/rt2" DBUS_SESSION_BUS_ADDRESS=unix:path=/none "$work/app/tocklet"
holder=$pid && until_true shown || fail "no holder"
start env TOCKLET_KEY_RETRY_SECONDS=1 "$work/app/tocklet"
first=$pid && until_true shown || fail "no first window"
fw=$(mine "$first") && sleep 0.3 && at=$(place "$fw")
# Without the key, Background minimises the window: it stays in the task bar.
for keys in 'Return sleep 0.3 key alt+g' alt+g; do
  background "$first" $keys
  iconic "$fw" || fail "Background without the key did not leave the window minimised"
  "$work/app/tocklet" --recall || fail "--recall failed while another program holds the key"
  until_true shown "$first" || fail "--recall did not bring the first copy back"
done
# The holder lets go; a retry while the window waits minimised takes the key, which restores the
# window where it was (once the window manager's animation has ended).
background "$first"
terminate "$holder" "holder"
until_true eval 'xdotool key ctrl+alt+a; sleep 0.2; shown "$first"' || fail "the key let go was not taken while the window waited"
at_place "$fw" || fail "restored by the key at $(place "$fw"), not $at"
# Background now hides the window, and the key brings it back to the same place.
background "$first"
iconic "$fw" && fail "Background with the key minimised the window"
key_recalls "$first" "Ctrl+Alt+A did not recall the hidden window"
at_place "$fw" || fail "recalled at $(place "$fw"), not $at"
background "$first"
start_later && second=$pid && background "$second" Return sleep 0.3 key alt+g

# Ctrl+Alt+A recalls the first copy only.
key_recalls "$first" "Ctrl+Alt+A did not recall the first copy"
sleep 0.5 && hidden "$second" || fail "Ctrl+Alt+A recalled the second copy"
# With NumLock on (toggled in the same call: xdotool drops a lock state when it ends).
background "$first"
key_recalls "$first" "Ctrl+Alt+A with NumLock did not recall" Num_Lock ctrl+alt+a Num_Lock
# A minimised window comes back restored, active and above, by --recall and by the key.
for recall in '"$work/app/tocklet" --recall' 'xdotool key ctrl+alt+a'; do
  minimize "$first" && eval "$recall" || fail "$recall failed"
  until_true shown "$first" || fail "$recall did not restore the minimised window"
  w=$(mine "$first") && at_place "$w" || fail "$recall restored the window at $(place "$w"), not $at"
  until_true eval '[ "$(xdotool getactivewindow)" = "$w" ] && above "$w"' || fail "$recall: not active"
done
hidden "$second" || fail "the second copy was recalled"

# The first copy ends; a third copy, started while the second runs, is warned and holds the key.
terminate "$first" "first copy"
"$work/app/tocklet" --recall && until_true shown "$second" || fail "after the first copy ended, the second did not answer --recall"
start_later && third=$pid && background "$third" Return sleep 0.3 key alt+g
key_recalls "$third" "the copy started after the first did not get the key"
# A copy told to end while its notice is open ends, notice and all.
start && until_true shown || fail "no notice"
kill -TERM "$pid"; exited "a copy ended during its notice"
echo "copies: ok"
