#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The demo skin in the real player's X11 back end under headless sway's Xwayland, which
# ignores X window shapes: the window's 32-bit ARGB visual keeps the intro's and the panel's
# cut-away parts clear all the same; a click opens the day page; the quit button runs the
# outro, and a click on it quits with status 0. Skipped (77) where sway, grim or Xwayland is not installed.
# Usage: demo_xwayland.sh PLAYER TARNEL_SKIN AUDIO_LEVEL DEMO_SKIN ARTIFACTS POINTER_TOOL
set -euo pipefail
test_name=demo_xwayland
pointer_tool=$6
source "$(dirname "$0")/demo_common.sh"
source "$(dirname "$0")/sway.sh"
skip_without sway swaymsg grim xhost Xwayland


render_reference dzien
start_sway
use_xwayland
(cd "$skin" && VORLUNDE_BACKEND=x11 TMPDIR="$work/tmp" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" \
  exec "$player") 2> "$work/player.err" &
player_pid=$!
found() { read -r window_x window_y width height shell < <(window_rect vorlunde) && [[ -n ${width:-} ]]; }
wait_until "no window: $(cat "$work/player.err")" 10 found
[[ $shell == xwayland ]] || fail "the window is not an Xwayland window ($shell)"
window_size=${width}x$height

intro_then_day

echo "== the quit button: the outro, a click on it quits"
click_at 558 38
outro() { shot outro && shows_desktop "$last" 40 40 && ! shows_desktop "$last" 300 255; }
wait_until "no outro" 4 outro
click_at 300 255
wait_exit 10
[[ $status == 0 ]] || fail "exit status $status: $(cat "$work/player.err")"
passed=1
echo "all passed"
