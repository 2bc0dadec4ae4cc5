#!/usr/bin/env bash
# Start-up as a user sees it, measured from outside on a private X server without a window
# manager: Tocklet with the sample script, Tocklet with a 100,000-line script, an empty Qt window
# of the same size and that window showing a line of Chinese text (the fair baseline: it pays
# for the fonts as Tocklet does), started in turn. Prints the medians and the ratios.
#   bench/startup.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
scripts/build build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
probe=build/bench/bench/tocklet_startup_probe

work=$(mktemp -d)
. scripts/lib/xsession.sh
start_xvfb "$work" # no window manager
trap 'stop_xsession; rm -rf "$work"' EXIT
export XDG_STATE_HOME="$work/state"
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
  echo "label $("$probe" Tocklet build/bench/bench/tocklet_empty_window --label)"
  echo "sample $("$probe" Tocklet "$work/sample/tocklet")"
  echo "big $("$probe" Tocklet "$work/big/tocklet")"
done >"$work/runs"

# The median of column $2 over the runs of kind $1.
median() {
  awk -v k="$1" -v c="$2" '$1 == k { print $c }' "$work/runs" | sort -n |
    awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
row() { printf '%-26s %9.1f %10.1f %12.1f %12.1f\n' "$1" "$(median "$2" 2)" "$(median "$2" 3)" \
  "$(echo "$(median "$2" 4) / 1024" | bc -l)" "$(echo "$(median "$2" 5) / 1024" | bc -l)"; }
ratio() { printf '%.2f' "$(echo "$(median "$1" "$3") / $(median "$2" "$3")" | bc -l)"; }

echo "start-up, median of $runs runs each (Xvfb, no window manager, $(nproc) cores)"
printf '%-26s %9s %10s %12s %12s\n' "" "mapped ms" "settled ms" "RSS map MiB" "RSS MiB"
row "empty Qt window" empty
row "Qt window, Chinese label" label
row "Tocklet, sample script" sample
row "Tocklet, 100,000 lines" big
for base in empty label; do
  echo "sample / $base: mapped $(ratio sample $base 2) x, settled $(ratio sample $base 3) x," \
    "peak RSS $(ratio sample $base 5) x"
done
echo "100,000 lines / sample: settled $(ratio big sample 3) x, peak RSS $(ratio big sample 5) x"
