#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The demo skin's tray round trip in the real player under Xvfb: with no tray at all the tray
# button leaves the window on screen (minimised, which Xvfb without a window manager does not
# show) and says why on standard error; with trayer started as the system tray later, the tray
# button hides the window and docks the icon; a left click on the icon brings
# the window back and removes the icon; put away again, the icon's menu offers the restore
# item first, which brings it back too; Escape then runs the outro and the player quits with
# status 0.
# Usage: demo_tray.sh PLAYER TARNEL_SKIN AUDIO_LEVEL DEMO_SKIN ARTIFACTS
set -euo pipefail
test_name=demo_tray
source "$(dirname "$0")/demo_common.sh"

tray_button_x=494
tray_button_y=38
menu_rows=5 # "Przywróć" and the demo's four items

start_xvfb

# The id of our icon docked in trayer's panel, or nothing.
docked_icon() { xwininfo -root -tree | sed -n '/"panel"/,$p' | grep '"vorlunde"' | awk '{print $1}' | head -1 || true; }
icon_docked() { [[ -n $(docked_icon) ]]; }
icon_gone() { [[ -z $(docked_icon) ]]; }
window_viewable() { xwininfo -id "$window" | grep -q 'Map State: IsViewable'; }
window_hidden() { ! window_viewable; }
# Sets cx, cy to the centre of the docked icon.
icon_centre() {
  read -r cx cy < <(xwininfo -id "$(docked_icon)" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{print x + int(w / 2), y + int(h / 2)}')
}
put_away() {
  click_at "$tray_button_x" "$tray_button_y"
  wait_until "the window stays on screen" 10 window_hidden
  wait_until "no icon in the tray" 10 icon_docked
}

echo "== to the day page"
start_player
click_at 300 255
wait_until "the intro stays" 10 shaped_as 588x502+6+4

echo "== no tray: the tray button leaves the window on screen and says why"
click_at "$tray_button_x" "$tray_button_y"
no_host_line() { grep -q '^vorlunde: no notification area .*: the window is minimised instead of hidden$' "$work/player.err"; }
wait_until "no line about the missing tray" 10 no_host_line
window_viewable || fail "the window was hidden with no tray to bring it back"

echo "== trayer starts; tray button: hidden, docked; left click: back"
trayer --edge top --align right --widthtype pixel --width 100 --heighttype pixel --height 32 2>/dev/null &
trayer_pid=$!
for _ in $(seq 100); do xwininfo -root -tree | grep -q '"panel"' && break; sleep 0.1; done
put_away
icon_centre
xdotool mousemove "$cx" "$cy" click 1
wait_until "the window does not come back" 10 window_viewable
wait_until "the icon stays" 10 icon_gone

echo "== menu: the restore item first"
put_away
icon_centre
xdotool mousemove "$cx" "$cy" click 3
wait_until "no tray menu" 10 bash -c 'xwininfo -root -children | grep -q "\"tray menu\""'
menu=$(xwininfo -root -children | grep '"tray menu"' | awk '{print $1}')
read -r mx my mw mh < <(xwininfo -id "$menu" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
  /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}')
xdotool mousemove $((mx + mw / 2)) $((my + mh / (2 * menu_rows))) click 1
wait_until "the restore item does not restore" 10 window_viewable
wait_until "the icon stays after restoring" 10 icon_gone

echo "== Escape: outro, then quit"
press_key Escape
wait_exit 15
[[ $status == 0 ]] || fail "exit status $status: $(cat "$work/player.err")"
no_temporary_fonts
kill "$trayer_pid" 2>/dev/null || true
passed=1
echo "all passed"
