#!/usr/bin/env bash
# Starts the real program on a private X server with a window manager and waits for its
# window titled "Tocklet" to be mapped.
set -uo pipefail
program=$1
work=$(mktemp -d)
source "$(dirname "$0")/../../scripts/lib/xsession.sh"
start_xsession "$work"
export XDG_STATE_HOME="$work/state"
# The program keeps task.dat beside itself: run a copy in the scratch folder.
cp "$program" "$work/tocklet"
"$work/tocklet" >"$work/out" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null; stop_xsession; rm -rf "$work"' EXIT

if wait_for_window >/dev/null; then
  echo "window mapped"
  exit 0
fi
echo "no window titled Tocklet appeared on $DISPLAY"
cat "$work/out" "$work/openbox.log"
exit 1
