#!/usr/bin/env bash
# Starts the real program on a private X server with a window manager and waits for its
# window titled "Tocklet" to be mapped.
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"; true' EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"
export XDG_STATE_HOME="$work/state" XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
openbox >/dev/null 2>&1 &
unset QT_QPA_PLATFORM

# The program keeps task.dat beside itself: run a copy in the scratch folder.
cp "$program" "$work/tocklet"
"$work/tocklet" >"$work/out" 2>&1 &
if timeout 20 xdotool search --sync --onlyvisible --name '^Tocklet$' >/dev/null; then
  echo "window mapped"
  exit 0
fi
echo "no window titled Tocklet appeared"
cat "$work/out"
exit 1
