#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A whole skin in the real player under Xvfb (no compositing manager, so the non-layered
# path runs): the window starts with the intro's shape, the intro's timer switches to the
# day page, whose mask shapes the window; clicking the play button plays the playlist's
# tone, which SDL's disk audio driver writes to a file; the checker finds the tone there.
# `tarnel-skin check` passes the skin and reports a damaged one on one line, exit 1.
# Reload in place, while the tone plays: the skin is rebuilt with another day picture and the
# player gets SIGHUP: the new picture shows within a second, in the same window of the same
# process. Then a damaged archive and SIGHUP: one line on standard error, the look and the
# process stay. Then a narrower skin: a window of its width where the old one was, still on
# the day page. Across all three the recorded sound has no silent run longer than one pull
# of the device (2,048 frames).
# Usage: skin_play.sh PLAYER TARNEL_SKIN FIXTURES SEND_CLOSE MANIFEST
set -euo pipefail
player=$1
tool=$2
fixtures=$3
send_close=$4
manifest=$5
source "$(dirname "$0")/xvfb.sh"

tone_hz=440
pull_frames=2048
echo "== build the skin"
cp "$manifest" "$work/skin.toml"
"$fixtures" bmp "$work/intro.bmp" 600 510 204060
"$fixtures" bmp "$work/dzien.bmp" 600 510 c01020
"$fixtures" mask "$work/panel.rgn" 600 510 40
"$tool" build "$work/skin.toml" -o "$work/skin" >/dev/null
"$fixtures" tone "$work/skin/tone.ogg" $tone_hz 60

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

# The colour in the middle of the window.
shows() { [[ $(screen_pixel $((left + 300)) $((top + 300))) == "$1" ]]; }
# Milliseconds since the epoch.
now_ms() { local t=${EPOCHREALTIME/./}; echo $((t / 1000)); }

echo "== rebuild with another day picture, SIGHUP"
"$fixtures" bmp "$work/dzien.bmp" 600 510 10c040
"$tool" build "$work/skin.toml" -o "$work/skin" >/dev/null
sent=$(now_ms)
kill -HUP "$player_pid"
until shows "srgb(16,192,64)"; do
  (( $(now_ms) - sent <= 1000 )) || fail "the new look is not shown within 1 s of SIGHUP"
  sleep 0.05
done
echo "new look shown $(( $(now_ms) - sent )) ms after SIGHUP"
kill -0 "$player_pid" || fail "the player ended: $(cat "$work/player.err")"
[[ $(find_window E2E) == "$window" ]] || fail "the window was made again"

echo "== a damaged archive, SIGHUP"
printf 'x' > "$work/damaged.dat"
mv "$work/damaged.dat" "$work/skin/tarnel.dat" # renamed over, as the tool does
kill -HUP "$player_pid"
refused() { grep -qxF "can't reload the skin: can't find file Data\\intro.bmp in datafile" "$work/player.err"; }
wait_until "the damaged skin is not reported" 5 refused
# One line of the player's own (SDL announces its disk driver on lines of its own).
[[ $(grep -vc '^CRITICAL:' "$work/player.err") == 1 ]] || fail "standard error: $(cat "$work/player.err")"
shows "srgb(16,192,64)" || fail "the look changed after the damaged skin"
kill -0 "$player_pid" || fail "the player ended on the damaged skin"

echo "== a narrower skin, SIGHUP: a new window in the same place"
sed -i 's/^width = 600$/width = 500/' "$work/skin.toml"
"$fixtures" bmp "$work/intro.bmp" 500 510 204060
"$fixtures" bmp "$work/dzien.bmp" 500 510 c01020
"$fixtures" mask "$work/panel.rgn" 500 510 40
"$tool" build "$work/skin.toml" -o "$work/skin" >/dev/null
kill -HUP "$player_pid"
# $1 of xwininfo's description of the player's window.
window_value() { xwininfo -id "$(find_window E2E)" 2>/dev/null | awk -v key="$1" '$0 ~ key { print $NF }'; }
narrower() { [[ $(window_value "Width:") == 500 ]]; }
wait_until "no window of the new width" 5 narrower
[[ $(window_value "Absolute upper-left X:") == "$left" && $(window_value "Absolute upper-left Y:") == "$top" ]] ||
  fail "the new window is not where the old one was"
wait_until "the day page is not shown in the new window" 5 shows "srgb(192,16,32)"
window=$(find_window E2E)
# The new panel's shape (its always-kept rectangle reaches x = 576, past the window's edge).
[[ $(shape_extents "$window") == 576x510+0+0 ]] || fail "the new window's shape: $(shape_extents "$window")"
kill -0 "$player_pid" || fail "the player ended: $(cat "$work/player.err")"

recorded=$(stat -c %s "$work/audio.raw")
"$send_close" "$window"
wait_player
[[ $status == 0 ]] || fail "exit status: $status ($(cat "$work/player.err"))"
gaps=$("$fixtures" gaps "$work/audio.raw" "$recorded") || fail "no sound recorded"
echo "$gaps"
longest=$(awk '{ print $3 }' <<< "$gaps")
(( longest <= pull_frames )) || fail "a gap longer than one pull: $gaps"
echo "all passed"
