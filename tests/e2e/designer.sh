#!/usr/bin/env bash
# designer.sh PROGRAM BUILD_DIR: the tab strip in a real Qt Designer. A form with a strip opens
# with its four pages; a double click on a tab opens the caption dialog at its full size, where
# Enter stays; deleting two captions and OK, then saving, writes the captions and the tab moved
# with them; one undo brings both back.
source "$(dirname "$0")/lib.sh" "$1"
designer=/usr/lib/qt6/bin/designer
form=$work/form.ui
cp "$(dirname "$0")/../widget/strip.ui" "$form"
# Designer as on its first run (its settings keep window places), in English.
start env XDG_CONFIG_HOME="$work/config" LANGUAGE= LANG=C.UTF-8 QT_PLUGIN_PATH="$2/plugins" "$designer" "$form"
main=$(until_true titled "Qt Designer") && sleep 1 || fail "no Designer" # the form opens later
saved() { grep -A8 '"Captions"' "$form" | grep -o '<string>[^<]*</string>\|<string/>' | sed 's#<string/>#<string></string>#' | tr -d '\n'; }
selected() { grep -A1 '"SelectedTab"' "$form" | grep -o '[0-9]\+'; }
# saved_as WHEN CAPTIONS TAB: Ctrl+S saves the form, with these captions and this tab selected.
saved_as() {
  before=$(md5sum <"$form") && focus "$main" && xdotool key ctrl+s
  until_true eval '[ "$(md5sum <"$form")" != "$before" ]' || fail "not saved"
  [ "$(saved)" = "$2" ] && [ "$(selected)" = "$3" ] || fail "$1: $(saved), tab $(selected)"
}

# The first tab along the strip's bottom edge, at its place in Designer's form window.
xdotool mousemove 301 403 click --repeat 2 --delay 80 1
dialog=$(until_true titled "Tab Captions — Qt Designer") || fail "no caption dialog"
read -r width height < <(xdotool getwindowgeometry "$dialog" | grep -o '[0-9]*x[0-9]*' | tr x ' ')
[ "$width" -ge 380 ] && [ "$height" -ge 242 ] || fail "the dialog is ${width}x$height"
xdotool type Uno && xdotool key Return sleep 0.3
[ "$(titled "Tab Captions — Qt Designer")" = "$dialog" ] || fail "Enter closed the dialog"
# Delete "Four", then the empty caption; OK.
for row in 113 99; do
  xdotool mousemove --window "$dialog" 32 "$row" click 1 sleep 0.3 mousemove --window "$dialog" 41 223 click 1 sleep 0.3
done
xdotool mousemove --window "$dialog" 178 272 click 1
until_true eval '! titled "Tab Captions — Qt Designer" >/dev/null' || fail "OK did not close"
saved_as "after OK" "<string>Uno</string><string>Two</string>" 2
xdotool key ctrl+z
saved_as "after one undo" "<string>One</string><string>Two</string><string></string><string>Four</string>" 3
echo "designer: ok"
