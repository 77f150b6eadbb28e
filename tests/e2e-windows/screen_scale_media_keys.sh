#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# vorlunde.exe under Wine and Xvfb on a 192 DPI screen (LogPixels, as Windows' display
# settings set it), with the media keys: the window is twice the skin's size, its region is
# the panel's doubled, a click on the doubled list view selects the line under it; the media
# keys, sent as X keys (XF86AudioStop, XF86AudioPlay, XF86AudioNext, XF86AudioPrev), stop,
# play, pause and change the track as the skin's own buttons do. A skin with art at twice the
# size (a checkerboard of single pixels) shows that art pixel for pixel, as the Linux skin tool
# TARNEL_SKIN draws it with `render --scale 2`. VORLUNDE_SCALE=1 then keeps the skin's size on
# the same screen.
# Usage: screen_scale_media_keys.sh PLAYER_EXE PLUGIN_DLL DEMO_SKIN TARNEL_SKIN
set -euo pipefail
source "$(dirname "$0")/wine_common.sh"
source "$(dirname "$0")/../e2e/sharp_skin.sh"
tool=$(realpath "$4")
start_display 2560x1600
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f > /dev/null 2>&1
launch
window=$(find_window vorlunde) || fail "no window named vorlunde"

echo "== at 192 DPI the window is twice the skin's size"
window_size() { xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'; }
[[ $(window_size) == 1200x1020 ]] || fail "window size $(window_size), not 1200x1020"
panel_shape() { [[ $(xwininfo -shape -id "$window" | awk '/Window shape extents:/ { print $4 }') == 1176x1004+12+8 ]]; }
wait_until "the day page's region is not the panel's doubled" 20 panel_shape

echo "== a click on the doubled list view selects its third line"
status_line=960x48+100+904
snapshot() { import -window "$window" "$work/$1.png"; }
# True when the status line differs from the snapshot named $1.
status_changed_from() {
  snapshot now
  [[ $(compare -metric AE -fuzz 3% "$work/$1.png" "$work/now.png" -crop $status_line null: 2>&1 || true) -gt 50 ]]
}
snapshot before_click
xdotool mousemove --window "$window" 176 252 click 1
wait_until "the click on the list did not change the status line" 10 status_changed_from before_click

echo "== the media keys"
xdotool key --window "$window" XF86AudioStop
wait_until "Stop did not silence the output" 10 silent
xdotool key --window "$window" XF86AudioPlay
wait_until "Play did not start a track" 10 loud
xdotool key --window "$window" XF86AudioPlay
wait_until "Play did not pause" 10 silent
xdotool key --window "$window" XF86AudioPlay
wait_until "Play did not go on" 10 loud
sleep 1 # the status line settles on the playing track
snapshot before_next
xdotool key --window "$window" XF86AudioNext
wait_until "Next did not change the track" 10 status_changed_from before_next
sleep 1
snapshot before_previous
xdotool key --window "$window" XF86AudioPrev
wait_until "Previous did not change the track" 10 status_changed_from before_previous
xdotool key --window "$window" alt+F4
wait_exit 20
[[ $status == 0 ]] || fail "exit status $status"

echo "== art at twice the size, pixel for pixel"
make_sharp_skin "$tool" "$work/sharp" 600 510
render_sharp_reference "$tool" "$work/sharp" "$work/sharp2.png"
launch "$work/sharp"
window=$(find_window sharp) || fail "no window named sharp"
sharp_shown() {
  snapshot sharp
  convert "$work/sharp.png" -crop $sharp_inside +repage "$work/shown.png"
  convert "$work/sharp2.png" -crop $sharp_inside +repage "$work/drawn.png"
  [[ $(compare -metric AE "$work/shown.png" "$work/drawn.png" null: 2>&1 || true) == 0 ]]
}
wait_until "the window does not show the art at twice the size pixel for pixel" 10 sharp_shown
xdotool key --window "$window" alt+F4
wait_exit 20
[[ $status == 0 ]] || fail "exit status $status with the sharp skin"

echo "== VORLUNDE_SCALE=1 keeps the skin's size"
VORLUNDE_SCALE=1 launch
window=$(find_window vorlunde) || fail "no window named vorlunde"
[[ $(window_size) == 600x510 ]] || fail "window size $(window_size) with VORLUNDE_SCALE=1, not 600x510"
xdotool key --window "$window" alt+F4
wait_exit 20
echo "PASS"
