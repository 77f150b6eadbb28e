#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Reload in place under Xvfb: the player plays the playlist's tone (SDL's disk audio driver
# writes it to a file); the skin is rebuilt with another day picture and the player gets
# SIGHUP: the new picture shows within a second, in the same window of the same process.
# Then a damaged archive and SIGHUP again: one line on standard error, the look and the
# process stay. Then a narrower skin: a window of its width where the old one was, still on
# the day page. Across all three the recorded sound has no silent run longer than one pull
# of the device (2,048 frames).
# Usage: skin_reload.sh PLAYER TARNEL_SKIN FIXTURES SEND_CLOSE MANIFEST
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

start_xvfb
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw"

# The pixel of the screen at ($1, $2) as ImageMagick names it.
screen_pixel() {
  import -window root "$work/screen.png"
  convert "$work/screen.png" -format "%[pixel:p{$1,$2}]" info:
}
left=212
top=129
shows() { [[ $(screen_pixel $((left + 300)) $((top + 300))) == "$1" ]]; }
# Milliseconds since the epoch.
now_ms() { local t=${EPOCHREALTIME/./}; echo $((t / 1000)); }

echo "== run: the day page, play"
(cd "$work/skin" && exec "$player") 2> "$work/player.err" &
player_pid=$!
window=$(find_window E2E) || fail "no window: $(cat "$work/player.err")"
wait_until "no day page" 10 shows "srgb(192,16,32)"
xdotool mousemove $((left + 150)) $((top + 125)) click 1
tone_played() { "$fixtures" measure "$work/audio.raw" $tone_hz >/dev/null; }
wait_until "no tone in the output" 10 tone_played

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
window_value() { xwininfo -id "$(find_window E2E)" | awk -v key="$1" '$0 ~ key { print $NF }'; }
narrower() { [[ $(window_value "Width:") == 500 ]]; }
wait_until "no window of the new width" 5 narrower
[[ $(window_value "Absolute upper-left X:") == "$left" && $(window_value "Absolute upper-left Y:") == "$top" ]] ||
  fail "the new window is not where the old one was"
wait_until "the day page is not shown in the new window" 5 shows "srgb(192,16,32)"
window=$(find_window E2E)
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
