#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A whole skin in the real player under Xvfb (no compositing manager, so the non-layered
# path runs): the window starts with the intro's shape, the intro's timer switches to the
# day page, whose mask shapes the window; clicking the play button plays the playlist's
# tone, which SDL's disk audio driver writes to a file; the checker finds the tone there.
# `tarnel-skin check` passes the skin and reports a damaged one on one line, exit 1.
# Usage: skin_play.sh PLAYER TARNEL_SKIN FIXTURES SEND_CLOSE MANIFEST
set -euo pipefail
player=$1
tool=$2
fixtures=$3
send_close=$4
manifest=$5
source "$(dirname "$0")/xvfb.sh"

tone_hz=440
echo "== build the skin"
cp "$manifest" "$work/skin.toml"
"$fixtures" bmp "$work/intro.bmp" 600 510 204060
"$fixtures" bmp "$work/dzien.bmp" 600 510 c01020
"$fixtures" mask "$work/panel.rgn" 600 510 40
"$tool" build "$work/skin.toml" -o "$work/skin" >/dev/null
"$fixtures" tone "$work/skin/tone.ogg" $tone_hz 20

echo "== tarnel-skin check"
"$tool" check "$work/skin" || fail "check refused the skin"
cp -r "$work/skin" "$work/broken"
printf 'x' > "$work/broken/tarnel.dat"
set +e
"$tool" check "$work/broken" 2> "$work/check.err"
check_status=$?
set -e
[[ $check_status == 1 ]] || fail "check of a broken skin exited $check_status"
[[ $(cat "$work/check.err") == "can't find file Data\\intro.bmp in datafile" ]] || fail "check said: $(cat "$work/check.err")"
"$tool" render "$work/skin" --page dzien -o "$work/dzien.png" >/dev/null
[[ $(convert "$work/dzien.png" -format '%[pixel:p{300,300}]' info:) == "srgb(192,16,32)" ]] || fail "render"

start_xvfb
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw"

# The pixel of the screen at ($1, $2) as ImageMagick names it.
screen_pixel() {
  import -window root "$work/screen.png"
  convert "$work/screen.png" -format "%[pixel:p{$1,$2}]" info:
}
# The window shape's extents, "WxH+X+Y".
shape_extents() {
  xwininfo -shape -id "$1" | awk '/Window shape extents:/ { print $4 }'
}

echo "== run: intro, day page, play"
(cd "$work/skin" && exec "$player") 2> "$work/player.err" &
player_pid=$!
window=$(find_window E2E) || fail "no window: $(cat "$work/player.err")"
left=212
top=129
# The page shown: its shape and the colour in the middle of the window.
page_is() { [[ $(shape_extents "$window") == "$1" && $(screen_pixel $((left + 300)) $((top + 300))) == "$2" ]]; }
wait_until "intro not shown with its shape" 5 page_is 420x420+90+45 "srgb(32,64,96)"
wait_until "no switch to the day page with the panel's shape" 5 page_is 600x510+0+0 "srgb(192,16,32)"
[[ $(screen_pixel $((left + 10)) $((top + 10))) != "srgb(192,16,32)" ]] || fail "the mask's cut corner is shown"
xdotool mousemove $((left + 150)) $((top + 125)) click 1
tone_played() { "$fixtures" measure "$work/audio.raw" $tone_hz >/dev/null; }
wait_until "no tone in the output" 10 tone_played
"$send_close" "$window"
wait_player
[[ $status == 0 ]] || fail "exit status: $status ($(cat "$work/player.err"))"
echo "all passed"
