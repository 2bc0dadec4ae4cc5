#!/usr/bin/env bash
# For the record: Tocklet.exe (the portable folder) under Wine beside Linux's Tocklet, started in
# turn on one private X server without a window manager; the median time to the mapped window.
# Wine's time includes Wine's own start of the process (its server already running).
#   bench/startup-windows.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}
scripts/build build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
scripts/windows >/dev/null
probe=build/bench/bench/tocklet_startup_probe
. scripts/lib/qtmingw.sh
qt=$(find_qt_mingw "$PWD/build/windows")

work=$(mktemp -d)
. scripts/lib/xsession.sh
start_xvfb "$work" # no window manager
trap 'stop_wine 2>/dev/null; stop_xsession; rm -rf "$work"' EXIT
export XDG_STATE_HOME="$work/state"
mkdir -p "$work/linux"
. scripts/lib/wine.sh
start_wine "$qt" "$PWD/build/windows/wine"
cp -r build/windows/tocklet-*-windows-x64 "$work/windows"
cp build/bench/app/tocklet "$work/linux/tocklet"
# The sample scripts written, the caches warm.
"$probe" Tocklet "$work/linux/tocklet" >/dev/null
"$probe" Tocklet $WINE "$work/windows/Tocklet.exe" >/dev/null

for _ in $(seq "$runs"); do
  echo "linux $("$probe" Tocklet "$work/linux/tocklet")"
  echo "wine $("$probe" Tocklet $WINE "$work/windows/Tocklet.exe")"
done >"$work/runs"
median() {
  awk -v k="$1" '$1 == k { print $2 }' "$work/runs" | sort -n |
    awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
echo "mapped window, median of $runs runs each (Xvfb, no window manager, $(nproc) cores)"
printf 'Tocklet on Linux            %7.1f ms\n' "$(median linux)"
printf 'Tocklet.exe under Wine 8.0  %7.1f ms\n' "$(median wine)"
