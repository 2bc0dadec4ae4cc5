#!/usr/bin/env bash
# install.sh PROGRAM BUILD_DIR: installed, valid, and run by a user who cannot write to its bin/.
source "$(dirname "$0")/lib.sh" "$1"
prefix="$work/prefix"
cmake --install "$2" --prefix "$prefix" >/dev/null || fail "cmake --install"
share="$prefix/share"
desktop-file-validate "$share/applications/org.tocklet.Tocklet.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$share/metainfo/org.tocklet.Tocklet.metainfo.xml" >/dev/null || fail metainfo
[ -s "$share/icons/hicolor/scalable/apps/org.tocklet.Tocklet.svg" ] &&
  [ -s "$share/icons/hicolor/48x48/apps/org.tocklet.Tocklet.png" ] || fail "no icons"
[ "$("$prefix/bin/tocklet" --version)" = "Tocklet 2.1" ] &&
  "$prefix/bin/tocklet" --help | grep -q -- '--recall' || fail "--version or --help"
"$prefix/bin/tocklet" --bogus >/dev/null 2>&1; [ $? -eq 2 ] || fail "an unknown flag does not exit with 2"

chmod 755 "$work"
export XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state"
mkdir -p "$XDG_DATA_HOME" "$XDG_STATE_HOME" && chown 65534 "$XDG_DATA_HOME" "$XDG_STATE_HOME"
start_window setpriv --reuid=65534 --regid=65534 --clear-groups "$prefix/bin/tocklet"
until_true test -s "$XDG_DATA_HOME/tocklet/task.dat" || fail "no script in the data folder"
[ ! -e "$prefix/bin/task.dat" ] || fail "a script beside the installed program"
xdotool key Return
reminded "the task did not fire"
w=$(until_true windows) || fail "no window after the reminder"
focus "$w" && xdotool key Escape
exited "installed program"
# A relative data or state folder is none: the home's is taken.
mkdir -p "$work/home" && chown 65534 "$work/home"
cd "$work" && start env HOME="$work/home" XDG_DATA_HOME=data XDG_STATE_HOME=state setpriv \
  --reuid=65534 --regid=65534 --clear-groups "$prefix/bin/tocklet"
until_true test -s "$work/home/.local/share/tocklet/task.dat" -a -s "$work/home/.local/state/Klaxo.log" ||
  fail "a relative XDG_DATA_HOME or XDG_STATE_HOME"
echo "install: ok"
