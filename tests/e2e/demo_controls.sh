#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The demo skin's controls in the real player under Xvfb, driven by xdotool and checked in
# screenshots of the window and in the sound SDL's disk driver writes: a click on the intro
# opens the day page; repeat and random light their lamps with the hover picture's lamp and
# put them out again; the text browser opens a document, the wheel scrolls it and Backspace
# brings the titles back; once the jingle has ended, play makes the output carry music; next
# and previous move the list view's selection and the status line; dragging the seek knob near
# the end moves playback there, so the player goes on to the following track by itself; the
# quit button runs the outro and a click on it quits: status 0, no temporary font left behind.
# Usage: demo_controls.sh PLAYER TARNEL_SKIN AUDIO_LEVEL DEMO_SKIN ARTIFACTS
set -euo pipefail
test_name=demo_controls
source "$(dirname "$0")/demo_common.sh"

# Window pixels of the demo's layout (demo/generator/layout.h).
panel_area=540x430+30+10
browser_area=208x240+334+94
status_area=480x24+50+452
seek_area=520x12+40+352
button_y=398
prev_x=60
play_x=168
next_x=384
repeat_x=456
random_x=528
# The right end of line $1 of the list view, or of the browser's title list, where no title
# reaches: the pressed picture's strip shows there when the line is selected.
list_line_end() { echo "18x16+272+$((94 + 16 * $1))"; }
title_line_end() { echo "18x16+524+$((94 + 16 * $1))"; }
below_titles=208x192+334+142

render_reference dzien
"$tool" unpack "$skin/tarnel.dat" "$work/unpacked" >/dev/null
day=$refs/dzien.png
plain=$work/unpacked/Data/dzien.jpg
hover=$work/unpacked/Data/dzien_hover.jpg
pressed=$work/unpacked/Data/dzien_pressed.jpg
start_xvfb
start_player

echo "== a click on the intro opens the day page"
wait_until "no intro" 3 shaped_as $intro_shape
click_at 300 255
day_shown() { shot day && same_region "$last" "$day" $panel_area; }
wait_until "the day page is not shown as rendered" 4 day_shown
first_day=$last

echo "== repeat and random light their lamps"
click_at $repeat_x $button_y
wait_until "repeat did not light its lamp alone" 3 lamps "lit dark"
click_at $random_x $button_y
wait_until "random did not light its lamp" 3 lamps "lit lit"
click_at $repeat_x $button_y
click_at $random_x $button_y
wait_until "the lamps did not go out" 3 lamps "dark dark"

echo "== the text browser opens a document and scrolls"
click_at 400 118 # the second title
opened() { shot document && changed_region "$day" "$last" $browser_area; }
wait_until "no document opened" 3 opened
document=$last
xdotool mousemove --window "$window" 440 200 click 5 click 5 2>/dev/null
scrolled() { shot scrolled && changed_region "$document" "$last" $browser_area; }
wait_until "the wheel did not scroll the document" 3 scrolled
park_pointer
press_key BackSpace
titles() { # the three titles, the opened one selected, and nothing below them
  shot titles && same_region "$last" "$pressed" "$(title_line_end 1)" && same_region "$last" "$plain" "$(title_line_end 0)" &&
    same_region "$last" "$day" $below_titles
}
wait_until "Backspace did not bring the titles back with the document selected" 3 titles

echo "== play: silence before, music after"
wait_until "the jingle did not end" 15 quieter_than 0.5 0.0001
click_at $play_x $button_y
wait_until "no music after play" 4 louder_than 0.3 0.02

echo "== next and previous move the selection and the status line"
selected_line() { # the list view's line $1 selected, line $2 not; the status line as in $3 or not ($4)
  shot "line$1"
  same_region "$last" "$pressed" "$(list_line_end "$1")" && same_region "$last" "$plain" "$(list_line_end "$2")" &&
    $4 "$3" "$last" $status_area
}
wait_until "line 0 is not selected" 2 selected_line 0 1 "$first_day" same_region
click_at $next_x $button_y
wait_until "next did not select line 1 and change the status line" 3 selected_line 1 0 "$first_day" changed_region
click_at $prev_x $button_y
wait_until "previous did not select line 0 and bring back its title" 3 selected_line 0 1 "$first_day" same_region
click_at $next_x $button_y
wait_until "next did not select line 1" 3 selected_line 1 2 "$first_day" changed_region
second_track=$last
wait_until "no music after next" 4 louder_than 0.3 0.02

echo "== dragging the seek knob near the end ends the track sooner"
xdotool mousemove --window "$window" 58 358 mousedown 1 sleep 0.1 \
  mousemove --window "$window" 200 358 sleep 0.1 mousemove --window "$window" 360 358 sleep 0.1 \
  mousemove --window "$window" 520 358 sleep 0.1 mouseup 1 2>/dev/null
park_pointer
shot seek
changed_region "$second_track" "$last" $seek_area || fail "the seek knob did not move"
wait_until "playback did not reach the third track" 10 selected_line 2 1 "$second_track" changed_region
wait_until "no music on the third track" 4 louder_than 0.3 0.02

echo "== the quit button runs the outro; a click on it quits"
click_at 558 38
wait_until "no outro" 3 shaped_as $intro_shape
shot outro
xdotool mousemove --window "$window" 300 255 click 1 2>/dev/null
wait_exit 5
[[ $status == 0 ]] || fail "exit status $status: $(cat "$work/player.err")"
no_temporary_fonts
passed=1
echo "all passed"
