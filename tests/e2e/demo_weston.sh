#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The demo skin in the real player on headless weston (desktop shell, pixman drawing, one
# colour behind): the native window appears and its intro shows the desktop in its keyed-out
# rounded corners while its inside does not (screenshots by weston-screenshooter, which
# weston's --debug allows); SIGTERM ends the player with status 0.
# Skipped (77) where weston is not installed.
# Usage: demo_weston.sh PLAYER TARNEL_SKIN AUDIO_LEVEL DEMO_SKIN ARTIFACTS
set -euo pipefail
test_name=demo_weston
source "$(dirname "$0")/demo_common.sh"
for tool in weston weston-screenshooter; do
  command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
desktop_colour='#2266aa'

runtime=$work/runtime
mkdir -m 700 "$runtime"
printf '%s\n' '[shell]' 'background-color=0xff2266aa' 'panel-position=none' > "$work/weston.ini"
weston_pid=
stop_weston() { [[ -n $weston_pid ]] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null || true; }
trap 'stop_weston; keep_artifacts' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --use-pixman \
  --width=1024 --height=768 --socket=wayland-test --config="$work/weston.ini" --debug --idle-time=0 \
  > "$work/weston.err" 2>&1 &
weston_pid=$!
weston_ready() { [[ -S $runtime/wayland-test ]]; }
wait_until "weston did not start: $(tail -3 "$work/weston.err")" 10 weston_ready
export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=wayland-test
unset DISPLAY

# A screenshot of the whole output as $shots/NN-$1.png; its path in `last`.
shot() {
  shot_count=$((shot_count + 1))
  last=$shots/$(printf %02d $shot_count)-$1.png
  rm -f "$work"/wayland-screenshot-*.png
  (cd "$work" && weston-screenshooter >/dev/null 2>&1)
  mv "$work"/wayland-screenshot-*.png "$last"
}
# The bounding box "WxH+X+Y" of what is not the desktop in picture $1.
drawn_box() { convert "$1" -bordercolor "$desktop_colour" -border 1 -fuzz 1% -trim -format '%w %h %X %Y' info:; }
pixel_rgb() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

launch
echo "== the intro: a 420 by 420 square whose rounded corners show the desktop"
intro() {
  shot intro
  read -r width height x y < <(drawn_box "$last")
  # -trim's offsets count the added border.
  x=$((x - 1)) y=$((y - 1))
  ((width == 420 && height == 420)) && [[ $(pixel_rgb "$last" $x $y) == 34,102,170 ]] &&
    [[ $(pixel_rgb "$last" $((x + 210)) $((y + 210))) != 34,102,170 ]]
}
wait_until "no intro with clear corners on weston" 6 intro

echo "== SIGTERM ends it"
kill -TERM "$player_pid"
wait_exit 5
[[ $status == 0 ]] || fail "exit status $status: $(cat "$work/player.err")"
passed=1
echo "all passed"
