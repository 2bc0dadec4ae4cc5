#!/usr/bin/env bash
# deb.sh BUILD_DIR: the Debian package made from the build passes lintian without an error or a
# warning, and its manual page renders without a warning.
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$1" && cpack -G DEB -B "$work" >"$work/log" 2>&1) || { cat "$work/log"; echo "FAIL: cpack"; exit 1; }
out=$(lintian --tag-display-limit 0 "$work"/tocklet_*.deb 2>&1 | grep -v 'running with root privileges')
[ -z "$out" ] || { echo "FAIL: lintian: $out"; exit 1; }
out=$(man --warnings -l "$1/packaging/tocklet.1" 2>&1 >/dev/null)
[ -z "$out" ] || { echo "FAIL: man: $out"; exit 1; }
# Every option of --help in the manual page.
for option in $("$1/app/tocklet" --help | grep -o -- ' --[a-z-]*'); do
  man -l "$1/packaging/tocklet.1" 2>/dev/null | grep -q -- "$option" || { echo "FAIL: man lacks $option"; exit 1; }
done
echo "deb: ok"
