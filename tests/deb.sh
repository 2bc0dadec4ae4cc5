#!/usr/bin/env bash
# deb.sh BUILD_DIR: the Debian package made from the build passes lintian without an error or a
# warning; its manual page renders without a warning and names every option of --help.
set -uo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$1" && cpack -G DEB -B "$work" >"$work/log" 2>&1) || { cat "$work/log"; echo "FAIL: cpack"; exit 1; }
out=$(lintian --tag-display-limit 0 "$work"/tocklet_*.deb 2>&1 | grep -v 'running with root privileges'
  man --warnings -l "$1/packaging/tocklet.1" 2>&1 >"$work/man")
for option in $("$1/app/tocklet" --help | grep -o -- ' --[a-z-]*'); do
  grep -q -- "$option" "$work/man" || out+=" no $option in the manual page"
done
[ -z "$out" ] && echo "deb: ok" || { echo "FAIL: $out"; exit 1; }
