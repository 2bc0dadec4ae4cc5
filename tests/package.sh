#!/usr/bin/env bash
# package.sh BUILD_DIR: the tab strip installed as a package for other projects, and a project
# that uses it (find_package(TockletTabStrip), a form through uic) built and run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
quiet() { "$@" >"$work/log" 2>&1 || { cat "$work/log"; echo "FAIL: $*"; exit 1; }; }
quiet cmake --install "$1" --component tabstrip --prefix "$work/prefix"
[ -n "$(find "$work/prefix" -name libtocklet_tabstrip.so.2)" ] && [ -f "$work/prefix/include/tocklet/ctlTabs.h" ] ||
  { echo "FAIL: $(find "$work/prefix")"; exit 1; }
quiet cmake -S "$here/consumer" -B "$work/build" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" \
  -DFORM="$here/widget/strip.ui"
quiet cmake --build "$work/build"
out=$(QT_QPA_PLATFORM=offscreen "$work/build/strip_form")
[ "$out" = "One|Two||Four 3 0000ff 0000ff" ] || { echo "FAIL: the form shows $out"; exit 1; }
echo "package: ok"
