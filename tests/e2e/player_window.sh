#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real player under Xvfb: with a minimal skin the window shows the configured title and
# size, centred, and closing it ends the player with status 0; without tarnel.cfg the player
# reports "can't open config file" on standard error and in a message box, creates no
# window, and exits with status 1 once the box is answered.
# Usage: player_window.sh PLAYER SEND_CLOSE
set -euo pipefail
player=$1
send_close=$2
source "$(dirname "$0")/xvfb.sh"

start_xvfb
export SDL_AUDIODRIVER=dummy

echo "== minimal skin: title, size, centred, close"
mkdir "$work/skin"
# 59 bytes: title "A", 600 x 510, start page "p", one page "p" with one button.
printf '\x58\x02\x3b\x00\x00\x00\x41\x00\x58\x02\xfe\x01\x30\x30\x08\x00\x00\x00\x70\x00\x00\x40\x27\x00\x00\x00\x70\x00\x00\x00\x00\x00\x00\x10\x40\x1a\x00\x00\x00\x0a\x00\x00\x00\x14\x00\x00\x00\x32\x00\x00\x00\x28\x00\x00\x00\x01\x10\x00\x00' > "$work/skin/tarnel.cfg"
# The archive holds an empty window-shape mask "Data\panel.rgn".
printf 'Data\\panel.rgn\x00\x00\x00\x00\x00' > "$work/skin/tarnel.dat"
(cd "$work/skin" && exec "$player") 2> "$work/skin.err" &
player_pid=$!
window=$(find_window A) || fail "no window titled A: $(cat "$work/skin.err")"
info=$(xwininfo -id "$window")
grep -q 'Width: 600$' <<<"$info" || fail "width: $info"
grep -q 'Height: 510$' <<<"$info" || fail "height: $info"
grep -q 'Absolute upper-left X:  212$' <<<"$info" || fail "x not centred: $info"
grep -q 'Absolute upper-left Y:  129$' <<<"$info" || fail "y not centred: $info"
grep -q 'Map State: IsViewable' <<<"$info" || fail "window not shown: $info"
"$send_close" "$window"
wait_player
[[ $status == 0 ]] || fail "exit status after close: $status ($(cat "$work/skin.err"))"

echo "== no tarnel.cfg: message, no window, status 1"
mkdir "$work/empty"
(cd "$work/empty" && exec "$player") 2> "$work/empty.err" &
player_pid=$!
box=$(find_window 'tarnel leaf runtime exception') || fail "no message box"
grep -qx "can't open config file" "$work/empty.err" || fail "stderr: $(cat "$work/empty.err")"
[[ $(xwininfo -root -children | grep -c '^ *0x') == 1 ]] || fail "a window besides the message box: $(xwininfo -root -children)"
xdotool key --window "$box" Return
wait_player
[[ $status == 1 ]] || fail "exit status after the error: $status"
echo "all passed"
