#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The demo skin's tray round trip in vorlunde.exe under Wine and Xvfb, with trayer as the X
# tray that Wine docks notification icons in: the tray button hides the window and the icon
# docks; a right click on the icon pops the menu; its first item (the bold default) brings the
# window back; Alt+F4 then ends the player with status 0.
# Usage: tray.sh PLAYER_EXE PLUGIN_DLL DEMO_SKIN
set -euo pipefail
source "$(dirname "$0")/wine_common.sh"
start_display
trayer --edge top --align right --widthtype pixel --width 100 --heighttype pixel --height 32 2>/dev/null &
trayer_pid=$!
trap 'kill $trayer_pid 2>/dev/null || true; cleanup' EXIT
launch
window=$(find_window vorlunde) || fail "no window named vorlunde"
panel_shape() { [[ $(xwininfo -shape -id "$window" | awk '/Window shape extents:/ { print $4 }') == 588x502+6+4 ]]; }
wait_until "the day page did not come" 20 panel_shape

map_state() { [[ $(xwininfo -id "$window" | awk '/Map State:/ { print $3 }') == "$1" ]]; }
# The docked icon: Wine's window inside trayer's panel, as "X Y" of its centre on the screen.
icon_centre() {
  xwininfo -root -tree | awk '/^          .*\("explorer.exe"/ { split($NF, at, "+"); print at[2] + 10, at[3] + 15; exit }'
}
icon_docked() { [[ -n $(icon_centre) ]]; }

echo "== the tray button hides the window and docks the icon"
xdotool mousemove --window "$window" 494 38 click 1
wait_until "the window did not hide" 10 map_state IsUnMapped
wait_until "no icon in the tray" 10 icon_docked

echo "== a right click pops the menu; its default item brings the window back"
read -r x y <<< "$(icon_centre)"
xdotool mousemove "$x" "$y" click 3
# The popup menu: an unnamed window of the player that is not 1x1, as "X Y" of its first item.
first_item() {
  xwininfo -root -children | awk '/has no name/ && /\("vorlunde.exe"/ && $(NF-1) !~ /^1x1\+/ {
    split($NF, at, "+"); print at[2] + 40, at[3] + 10; exit }'
}
menu_shown() { [[ -n $(first_item) ]]; }
wait_until "no tray menu" 10 menu_shown
read -r mx my <<< "$(first_item)"
xdotool mousemove "$mx" "$my" click 1
wait_until "the menu's default item did not bring the window back" 10 map_state IsViewable

echo "== Alt+F4 ends the player"
xdotool key --window "$window" alt+F4
wait_exit 20
[[ $status == 0 ]] || fail "exit status $status"
echo "PASS"
