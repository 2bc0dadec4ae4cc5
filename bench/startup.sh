#!/usr/bin/env bash
# Start-up time of Tocklet with the sample script against a 100,000-line task.dat, on a private
# X server: the time from starting a probe that starts like the program until it has shown the
# window, loaded the task list and turned the event loop once. Median of runs.
#   bench/startup.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
scripts/build build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
probe=build/bench/bench/tocklet_startup_probe

source scripts/lib/xsession.sh
work=$(mktemp -d)
start_xsession "$work"
trap 'stop_xsession; rm -rf "$work"' EXIT

awk 'BEGIN { for (i = 0; i < 100000; i++)
  printf "[0,%d,%d,0,1,1,1,\"事件关联文件未指定\"]例%d:要上课了!(说明:按到点方式)\r\n", i % 60, i % 7, i }' |
  iconv -f UTF-8 -t GB18030 >"$work/big.dat"

# Milliseconds for one start with the given script ("" for none: the sample is written).
measure() {
  rm -f "$work/task.dat"
  [ -z "$1" ] || cp "$1" "$work/task.dat"
  local start ready
  start=$(date +%s%3N)
  ready=$("$probe" "$work" 2>/dev/null)
  echo $((ready - start))
}

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

measure "" >/dev/null # warm the caches
sample=$(for _ in $(seq "$runs"); do measure ""; done | median)
big=$(for _ in $(seq "$runs"); do measure "$work/big.dat"; done | median)
echo "start-up, median of $runs: sample script ${sample} ms, 100,000-line script ${big} ms"
