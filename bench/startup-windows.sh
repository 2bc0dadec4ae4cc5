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
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'stop_wine 2>/dev/null; kill $xvfb; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")" XDG_STATE_HOME="$work/state" XDG_RUNTIME_DIR="$work/run"
mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$work/linux"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
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
