#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Art at twice the size in the real player at scale 2: a skin whose background has art at
# twice the size, a checkerboard of single pixels (its picture is flat grey), shows that
# checkerboard pixel for pixel, as `tarnel-skin render --scale 2` draws it: under Xvfb with
# VORLUNDE_SCALE=2 (SDL and X11) and, where sway is installed, on headless sway's output of
# scale 2 (Wayland).
# Usage: demo_sharp_2x.sh PLAYER TARNEL_SKIN AUDIO_LEVEL DEMO_SKIN ARTIFACTS POINTER_TOOL
set -euo pipefail
test_name=demo_sharp_2x
pointer_tool=$6
source "$(dirname "$0")/demo_common.sh"

source "$(dirname "$0")/sharp_skin.sh"
sharp=$work/sharp
make_sharp_skin "$tool" "$sharp" 600 510
render_sharp_reference "$tool" "$sharp" "$refs/sharp2.png"
[[ $(identify -format %wx%h "$refs/sharp2.png") == 1200x1020 ]] || fail "the tool's drawing at scale 2 is not 1200x1020"
inside=$sharp_inside

echo "== X11 at VORLUNDE_SCALE=2: the art at twice the size, pixel for pixel"
start_xvfb 1600x1200x24
VORLUNDE_SCALE=2 launch "$sharp" dummy
window=$(find_window sharp) || fail "no window: $(cat "$work/player.err")"
sharp_x11() { shot x11 && [[ $(identify -format %wx%h "$last") == 1200x1020 ]] && same_region "$last" "$refs/sharp2.png" $inside; }
wait_until "the X11 window does not show the art at twice the size" 5 sharp_x11
kill -TERM "$player_pid"
wait_exit 5

if command -v sway >/dev/null && command -v swaymsg >/dev/null && command -v grim >/dev/null; then
  echo "== Wayland at output scale 2: the same"
  source "$(dirname "$0")/sway.sh"
  start_sway
  swaymsg output HEADLESS-1 resolution 2048x1536 scale 2 >/dev/null
  launch "$sharp" dummy
  found() { read -r window_x window_y width height shell < <(window_rect org.vorlunde.vorlunde) && [[ -n ${width:-} ]]; }
  wait_until "no Wayland window: $(cat "$work/player.err")" 10 found
  window_size=600x510
  sharp_wayland() { shot wayland && [[ $(identify -format %wx%h "$last") == 1200x1020 ]] && same_region "$last" "$refs/sharp2.png" $inside; }
  wait_until "the Wayland window does not show the art at twice the size" 5 sharp_wayland
  kill -TERM "$player_pid"
  wait_exit 5
else
  echo "== (no sway: Wayland not tried)"
fi
passed=1
echo "all passed"
