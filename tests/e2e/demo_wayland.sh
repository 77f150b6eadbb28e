#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The demo skin in the real player on headless sway, with no X display: a native xdg-shell
# window whose cut-away parts show the desktop (the intro's square with its keyed-out rounded
# corners, the panel's mask); a click on the intro opens the day page as the skin tool draws
# it; the wheel scrolls the text browser; play sounds (SDL's disk audio) and MPRIS says so; a
# double click on a title plays it as under X11; a drag on a free spot moves the window;
# Escape runs the outro, which quits with status 0.
# At the output scale 2 the window's buffers are 1200x1020 at buffer scale 2 (the protocol
# log says so), showing the day page with each pixel doubled.
# Without a skin the error box comes up as a window of its own: a click on OK ends the
# player with status 1, and so does SIGTERM.
# VORLUNDE_BACKEND=wayland or x11 without that server gives one line and status 1.
# Skipped (77) where sway, grim or swaymsg is not installed.
# Usage: demo_wayland.sh PLAYER TARNEL_SKIN AUDIO_LEVEL DEMO_SKIN ARTIFACTS POINTER_TOOL
set -euo pipefail
test_name=demo_wayland
pointer_tool=$6
source "$(dirname "$0")/demo_common.sh"
source "$(dirname "$0")/sway.sh"
skip_without sway swaymsg grim wtype

browser_area=208x240+334+94
play_x=168
button_y=398
title_area=300x40+30+15 # the page's name beside the sun or moon

for page in dzien wieczor; do render_reference $page; done
"$tool" unpack "$skin/tarnel.dat" "$work/unpacked" >/dev/null

echo "== a named back end that cannot start says why in one line, status 1"
for named in wayland x11; do
  status=0
  (cd "$skin" && env -u DISPLAY VORLUNDE_BACKEND=$named WAYLAND_DISPLAY="$work/none" "$player") 2> "$work/named.err" ||
    status=$?
  [[ $status == 1 && $(wc -l < "$work/named.err") == 1 ]] && grep -q "^vorlunde: can't use the .* back end: " "$work/named.err" ||
    fail "VORLUNDE_BACKEND=$named without its server: status $status, $(cat "$work/named.err")"
done

start_sway
launch
found() { read -r window_x window_y width height shell < <(window_rect org.vorlunde.vorlunde) && [[ -n ${width:-} ]]; }
wait_until "no window: $(cat "$work/player.err")" 10 found
[[ $shell == xdg_shell ]] || fail "the window is not a native xdg-shell window ($shell)"
[[ ${width}x$height == 600x510 ]] || fail "the window is ${width}x$height"
window_size=600x510

intro_then_day
first_day=$last

echo "== the wheel scrolls the text browser's document"
click_at 400 118 # opens the second document
opened() { shot document && changed_region "$first_day" "$last" $browser_area; }
wait_until "no document opened" 3 opened
document=$last
pointer move $((window_x + 440)) $((window_y + 200))
swaymsg seat seat0 cursor press button5 >/dev/null
swaymsg seat seat0 cursor release button5 >/dev/null
scrolled() { shot scrolled && changed_region "$document" "$last" $browser_area; }
wait_until "the wheel did not scroll the document" 3 scrolled
park_pointer

echo "== play sounds; MPRIS tells"
wait_until "the jingle did not end" 15 quieter_than 0.5 0.0001
click_at $play_x $button_y
wait_until "no music after play" 4 louder_than 0.3 0.02
if command -v playerctl >/dev/null; then
  playing() { [[ $(playerctl -p vorlunde status 2>/dev/null) == Playing ]]; }
  wait_until "MPRIS does not say Playing" 3 playing
fi

echo "== double clicks on titles: \"Amber Windows\" plays on the evening page, then \"Garden Loop\""
echo "   (its second click during the switch) brings the day page back to stay"
page_shown() { shot "$1" && same_region "$last" "$refs/$1.png" $title_area; }
double_click_at() {
  pointer move $((window_x + $1)) $((window_y + $2))
  pointer press; pointer release; pointer press; pointer release
  park_pointer
}
double_click_at $list_x "$(line_y $amber_windows)"
amber_windows_on_evening() {
  page_shown wieczor && same_region "$last" "$work/unpacked/Data/wieczor_pressed.jpg" "$(list_line_end $amber_windows)"
}
wait_until "the evening page did not come with \"Amber Windows\" selected" 5 amber_windows_on_evening
double_click_at $list_x "$(line_y $garden_loop)"
garden_loop_on_day() {
  page_shown dzien && same_region "$last" "$work/unpacked/Data/dzien_pressed.jpg" "$(list_line_end $garden_loop)" &&
    same_region "$last" "$work/unpacked/Data/dzien.jpg" "$(list_line_end $amber_windows)"
}
wait_until "the day page did not come back with \"Garden Loop\" selected" 6 garden_loop_on_day
sleep 3 # a wrong track would have taken the evening page back within a page switch's length
garden_loop_on_day || fail "the day page did not stay with \"Garden Loop\" selected"

echo "== a drag on a free spot moves the window"
pointer move $((window_x + 20)) $((window_y + 60))
pointer press
pointer move $((window_x + 60)) $((window_y + 90))
pointer move $((window_x + 120)) $((window_y + 140))
pointer release
moved() { read -r x y _ < <(window_rect org.vorlunde.vorlunde) && ((x == window_x + 100 && y == window_y + 80)); }
wait_until "the drag did not move the window by (100, 80)" 3 moved
window_x=$x
window_y=$y

echo "== Escape: the outro, which quits"
wtype -s 300 -k Escape # the pause lets the player take the new keyboard first
outro() { shot outro && shows_desktop "$last" 40 40 && ! shows_desktop "$last" 300 255; }
wait_until "no outro" 4 outro
wait_exit 10
[[ $status == 0 ]] || fail "exit status $status: $(cat "$work/player.err")"
no_temporary_fonts

echo "== output scale 2: a crisp picture of twice the pixels"
swaymsg output HEADLESS-1 resolution 2048x1536 scale 2 >/dev/null # the same 1024x768 to the pointer
convert "$refs/dzien.png" -scale 200% "$refs/dzien2.png"
WAYLAND_DEBUG=1 launch
wait_until "no window at scale 2" 10 found
window_size=600x510
click_at 300 255
crisp_day() { shot day2 && [[ $(identify -format %wx%h "$last") == 1200x1020 ]] && same_region "$last" "$refs/dzien2.png" 1080x860+60+20; }
wait_until "the day page at scale 2 is not the skin's picture doubled" 5 crisp_day
grep -q 'create_buffer(.*, 1200, 1020, 4800, 0)' "$work/player.err" && grep -q 'set_buffer_scale(2)' "$work/player.err" ||
  fail "no 1200x1020 ARGB buffer at buffer scale 2"
kill -TERM "$player_pid"
wait_exit 5
swaymsg output HEADLESS-1 resolution 1024x768 scale 1 >/dev/null

echo "== no skin: the error box; OK and SIGTERM end it with status 1"
mkdir "$work/empty"
box_up() { read -r window_x window_y width height _ < <(window_rect org.vorlunde.vorlunde) && [[ -n ${width:-} ]]; }
launch "$work/empty"
wait_until "no error box: $(cat "$work/player.err")" 5 box_up
pointer move $((window_x + width - 50)) $((window_y + height - 30))
pointer press
pointer release
wait_exit 5
[[ $status == 1 ]] || fail "exit status $status after OK"
launch "$work/empty"
wait_until "no error box" 5 box_up
kill -TERM "$player_pid"
wait_exit 5
[[ $status == 1 ]] || fail "exit status $status after SIGTERM"
passed=1
echo "all passed"
