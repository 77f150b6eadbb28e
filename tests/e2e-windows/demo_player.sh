#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# vorlunde.exe under Wine and Xvfb on the demo skin: the window appears with its title and
# size; the layered window fades in, out after the intro and in again with the day page (Wine
# hands the alpha to the X window as _NET_WM_WINDOW_OPACITY, which a compositor shows); the
# intro plays its jingle through SDL's disk audio; the day page comes with the
# panel's window region; a click on a line of the list view selects it and the status line
# shows its title (the picture changes there); a private font folder exists while it runs;
# the bound keys S (stop) and Return (play) silence the output and make it carry music again;
# Alt+F4 asks to close and the player ends with status 0, leaving no font folder behind.
# Usage: demo_player.sh PLAYER_EXE PLUGIN_DLL DEMO_SKIN
set -euo pipefail
source "$(dirname "$0")/wine_common.sh"
start_display
launch
window=$(find_window vorlunde) || fail "no window named vorlunde"

echo "== the window: title and size"
size=$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
[[ $size == 600x510 ]] || fail "window size $size, not 600x510"

echo "== the layered window fades in"
# No property means opaque (Wine drops it at full alpha).
opacity() { xprop -id "$window" _NET_WM_WINDOW_OPACITY 2>/dev/null | awk '/= [0-9]+$/ { o = $NF } END { print (o != "") ? o : "4294967295" }'; }
opacity_at_least() { (($(opacity) >= $1)); }
opacity_below() { (($(opacity) < $1)); }
wait_until "the window did not fade in" 10 opacity_at_least $((0xF0000000))

echo "== the intro's jingle plays"
wait_until "no sound from the intro" 10 loud

echo "== the intro fades out, the day page fades in"
wait_until "the intro did not fade out" 10 opacity_below $((0x80000000))
wait_until "the day page did not fade in" 10 opacity_at_least $((0xF0000000))

echo "== the day page, shaped by its region"
panel_shape() { [[ $(xwininfo -shape -id "$window" | awk '/Window shape extents:/ { print $4 }') == 588x502+6+4 ]]; }
wait_until "the day page's region did not come" 20 panel_shape
font_folders_left || fail "no private font folder while the skin runs"

echo "== a click on the third line of the list view"
status_line=480x24+50+452
import -window "$window" "$work/before.png"
status_changed() {
  import -window "$window" "$work/now.png"
  [[ $(compare -metric AE -fuzz 3% "$work/before.png" "$work/now.png" -crop $status_line null: 2>&1 || true) -gt 50 ]]
}
xdotool mousemove --window "$window" 88 126 click 1
wait_until "the click on the list did not change the status line" 10 status_changed

echo "== S stops, Return plays"
xdotool key --window "$window" s
wait_until "S did not silence the output" 10 silent
xdotool key --window "$window" Return
wait_until "Return did not start a track" 10 loud

echo "== Alt+F4 ends the player"
xdotool key --window "$window" alt+F4
wait_exit 20
[[ $status == 0 ]] || fail "exit status $status"
! font_folders_left || fail "a private font folder is left"
echo "PASS"
