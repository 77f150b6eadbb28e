#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The demo skin in the real player on GNOME's compositor: mutter --nested --wayland draws its
# output into a window of a private Xvfb, where `import` takes pictures and xdotool drives the
# pointer. The native window's day page is drawn as the skin tool draws it, with the desktop
# in the corners its mask cuts away; a click opens a document; a drag on a free spot moves the
# window; the minimise button takes it off the screen; SIGTERM ends the player with status 0. Skipped (77) where mutter is not installed.
# Usage: demo_mutter.sh PLAYER TARNEL_SKIN AUDIO_LEVEL DEMO_SKIN ARTIFACTS
set -euo pipefail
test_name=demo_mutter
source "$(dirname "$0")/demo_common.sh"
command -v mutter >/dev/null || { echo "SKIP: mutter is not installed"; exit 77; }

panel_area=540x430+30+10
render_reference dzien
start_xvfb
runtime=$work/runtime
mkdir -m 700 "$runtime"
mutter_pid=
stop_mutter() { [[ -n $mutter_pid ]] && kill "$mutter_pid" 2>/dev/null && wait "$mutter_pid" 2>/dev/null || true; }
trap 'stop_mutter; keep_artifacts' EXIT
XDG_RUNTIME_DIR=$runtime mutter --nested --wayland --no-x11 --wayland-display=wayland-test > "$work/mutter.err" 2>&1 &
mutter_pid=$!
mutter_ready() { [[ -S $runtime/wayland-test ]] && xwininfo -root -children | grep -q mutter; }
wait_until "mutter did not start: $(tail -3 "$work/mutter.err")" 15 mutter_ready
sleep 1 # its first frame
import -window root "$work/desktop.png"

(cd "$skin" && unset DISPLAY && XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-test TMPDIR="$work/tmp" \
  SDL_AUDIODRIVER=dummy exec "$player") 2> "$work/player.err" &
player_pid=$!

# A picture of the Xvfb screen as $shots/NN-$1.png; its path in `last`.
shot() {
  shot_count=$((shot_count + 1))
  last=$shots/$(printf %02d $shot_count)-$1.png
  import -window root "$last"
}
# The box "W H X Y" where picture $1 differs from the desktop.
changed_box() { compare -fuzz 2% "$work/desktop.png" "$1" -compose src -highlight-color white -lowlight-color black "$work/diff.png" 2>/dev/null || true
  convert "$work/diff.png" -fuzz 1% -trim -format '%w %h %X %Y' info:; }
pixel_of() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }

echo "== the day page (after the intro's timer): the panel's mask cuts its corners away"
day_found() {
  shot day
  read -r width height x y < <(changed_box "$last")
  # The panel's mask spans 588x502 from (6, 4); the window's corner shows the desktop.
  ((width == 588 && height == 502)) && window_x=$((x - 6)) window_y=$((y - 4)) &&
    [[ $(pixel_of "$last" $window_x $window_y) == $(pixel_of "$work/desktop.png" $window_x $window_y) ]] &&
    panel_at $window_x $window_y
}
panel_at() { convert "$last" -crop "600x510+$1+$2" +repage "$work/window.png" && same_region "$work/window.png" "$refs/dzien.png" $panel_area; }
wait_until "no day page with cut-away corners: $(cat "$work/player.err")" 15 day_found
day=$work/window.png
cp "$work/window.png" "$work/day.png"

echo "== a click opens a document in the text browser"
xdotool mousemove $((window_x + 400)) $((window_y + 118)) click 1
xdotool mousemove $((window_x + 20)) $((window_y + 60))
opened() { shot document && convert "$last" -crop "600x510+$window_x+$window_y" +repage "$work/window.png" &&
  changed_region "$work/day.png" "$work/window.png" 208x240+334+94; }
wait_until "no document opened" 4 opened

echo "== a drag on a free spot moves the window"
# Little downwards: mutter keeps the whole window on its 800x600 output.
xdotool mousedown 1 sleep 0.2 mousemove $((window_x + 60)) $((window_y + 70)) sleep 0.2 \
  mousemove $((window_x + 120)) $((window_y + 80)) sleep 0.2 mouseup 1
moved() {
  shot moved && convert "$last" -crop "600x510+$((window_x + 100))+$((window_y + 20))" +repage "$work/moved.png" &&
    same_region "$work/moved.png" "$refs/dzien.png" 290x430+30+10 # the playlist and the buttons
}
wait_until "the drag did not move the window by (100, 20)" 4 moved
window_x=$((window_x + 100)) window_y=$((window_y + 20))

echo "== the minimise button takes the window off the screen"
xdotool mousemove $((window_x + 526)) $((window_y + 38)) click 1 # demo/generator/layout.h
minimised() { shot minimised && same_region "$last" "$work/desktop.png" "600x510+$window_x+$window_y"; }
wait_until "the window is still shown after a click on minimise" 4 minimised

kill -TERM "$player_pid"
wait_exit 5
[[ $status == 0 ]] || fail "exit status $status: $(cat "$work/player.err")"
passed=1
echo "all passed"
