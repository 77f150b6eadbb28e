#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A double click on a title of the demo's list view in the real player under Xvfb: a click on
# "Amber Windows" (line 9, an evening track) on the day page plays it and brings the evening
# page; there a double click on "Garden Loop" (line 4, a day track; two clicks 120 ms apart)
# plays it and brings the day page back with that line selected, and the day page stays. The
# second click lands while the switch to the day page runs; its activation is answered once
# the day page is current, which must then not play that page's old selection.
# Usage: demo_double_click.sh PLAYER TARNEL_SKIN AUDIO_LEVEL DEMO_SKIN ARTIFACTS
set -euo pipefail
test_name=demo_double_click
source "$(dirname "$0")/demo_common.sh"

# Window pixels of the demo's layout (demo/generator/layout.h).
browser_area=208x240+334+94 # the text browser's titles: the same on every panel page

for page in dzien wieczor; do render_reference $page; done
"$tool" unpack "$skin/tarnel.dat" "$work/unpacked" >/dev/null
start_xvfb
start_player

echo "== a click on the intro opens the day page"
wait_until "no intro" 3 shaped_as $intro_shape
click_at 300 255
page_shown() { shot "$1" && same_region "$last" "$refs/$1.png" $browser_area; }
wait_until "the day page is not shown" 4 page_shown dzien

echo "== a click on \"Amber Windows\" plays it on the evening page"
click_at $list_x "$(line_y $amber_windows)"
amber_windows_on_evening() {
  page_shown wieczor && same_region "$last" "$work/unpacked/Data/wieczor_pressed.jpg" "$(list_line_end $amber_windows)"
}
wait_until "the evening page did not come with \"Amber Windows\" selected" 5 amber_windows_on_evening
wait_until "no music on the evening page" 4 louder_than 0.3 0.02

echo "== a double click on \"Garden Loop\" plays it on the day page"
xdotool mousemove --window "$window" $list_x "$(line_y $garden_loop)" click --repeat 2 --delay 120 1 2>/dev/null
park_pointer
garden_loop_on_day() {
  page_shown dzien && same_region "$last" "$work/unpacked/Data/dzien_pressed.jpg" "$(list_line_end $garden_loop)" &&
    same_region "$last" "$work/unpacked/Data/dzien.jpg" "$(list_line_end $amber_windows)"
}
wait_until "the day page did not come back with \"Garden Loop\" selected" 6 garden_loop_on_day
# That nothing follows cannot be waited for: a wrong track would have taken the evening page
# back within a page switch's length.
sleep 3
garden_loop_on_day || fail "the day page did not stay with \"Garden Loop\" selected"
wait_until "no music" 4 louder_than 0.3 0.02

kill -TERM "$player_pid"
wait_exit 5
[[ $status == 0 ]] || fail "exit status $status: $(cat "$work/player.err")"
passed=1
echo "all passed"
