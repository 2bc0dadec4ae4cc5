#!/usr/bin/env bash
# Start-up as a user sees it, measured from outside on a private X server without a window
# manager: Tocklet with the sample script, Tocklet with a 100,000-line script and an empty Qt
# window of the same size, started in turn. Prints the medians and the ratios.
#   bench/startup.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
scripts/build build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
probe=build/bench/bench/tocklet_startup_probe

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")" XDG_STATE_HOME="$work/state" XDG_RUNTIME_DIR="$work/run"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
for kind in sample big; do
  mkdir -p "$work/$kind"
  cp build/bench/app/tocklet "$work/$kind/tocklet"
done
awk 'BEGIN { for (i = 0; i < 100000; i++)
  printf "[0,%d,%d,0,1,1,1,\"事件关联文件未指定\"]例%d:要上课了!(说明:按到点方式)\r\n", i % 60, i % 7, i }' |
  iconv -f UTF-8 -t GB18030 >"$work/big/task.dat"
"$probe" Tocklet "$work/sample/tocklet" >/dev/null # writes the sample script, warms the caches

for _ in $(seq "$runs"); do
  echo "empty $("$probe" Tocklet build/bench/bench/tocklet_empty_window)"
  echo "sample $("$probe" Tocklet "$work/sample/tocklet")"
  echo "big $("$probe" Tocklet "$work/big/tocklet")"
done >"$work/runs"

awk -v runs="$runs" '
  function median(kind, col,   n, i, v, t) {
    n = 0
    for (i = 1; i <= count; i++) if (name[i] == kind) v[++n] = value[i, col]
    asort(v)
    return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
  }
  { count++; name[count] = $1; for (c = 2; c <= 5; c++) value[count, c] = $c }
  END {
    printf "start-up, median of %d runs each (Xvfb, no window manager)\n", runs
    printf "%-28s %10s %10s %12s %12s\n", "", "mapped ms", "settled ms", "RSS map MiB", "RSS MiB"
    for (k = 1; k <= 3; k++) {
      kind = k == 1 ? "empty" : k == 2 ? "sample" : "big"
      label = k == 1 ? "empty Qt window" : k == 2 ? "Tocklet, sample script" : "Tocklet, 100,000 lines"
      printf "%-28s %10.1f %10.1f %12.1f %12.1f\n", label, median(kind, 2), median(kind, 3),
             median(kind, 4) / 1024, median(kind, 5) / 1024
    }
    printf "sample / empty: mapped %.2f x, settled %.2f x, peak RSS at mapping %.2f x\n",
           median("sample", 2) / median("empty", 2), median("sample", 3) / median("empty", 3),
           median("sample", 4) / median("empty", 4)
    printf "100,000 lines / sample: settled %.2f x; peak RSS %.1f MiB\n",
           median("big", 3) / median("sample", 3), median("big", 5) / 1024
  }' "$work/runs"
