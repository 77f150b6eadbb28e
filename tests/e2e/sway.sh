# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the Wayland end-to-end scripts (sourced after demo_common.sh): a private headless
# sway (wlroots' headless back end, pixman drawing) on a 1024x768 output of one colour, the
# player talking to it natively (WAYLAND_DISPLAY, no DISPLAY), screenshots with grim, window
# rectangles from sway's tree, and a virtual pointer device (wayland_pointer, $pointer_tool)
# that moves and presses. Sway refuses to run as root, so it runs as the unprivileged user
# vorlunde-wayland, created on first use; root reaches its sockets all the same.
# skip_without TOOL...: exits 77 (ctest's skip) when a tool is not installed.
sway_pid=
sway_runtime=
sway_user=vorlunde-wayland
desktop_colour='#2266aa'
desktop_rgb='34,102,170'

skip_without() {
  local tool
  for tool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}

stop_sway() {
  [[ -n ${POINTER_PID:-} ]] && kill "$POINTER_PID" 2>/dev/null || true
  [[ -n $sway_pid ]] && kill "$sway_pid" 2>/dev/null && wait "$sway_pid" 2>/dev/null || true
  [[ -n $sway_runtime ]] && rm -rf "$sway_runtime"
  sway_pid=
}
trap 'stop_sway; keep_artifacts' EXIT

# Starts sway with the extra configuration lines "$@" and the pointer device.
start_sway() {
  id -u $sway_user >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin $sway_user ||
    id -u $sway_user >/dev/null || fail "can't create the user $sway_user"
  sway_runtime=$(mktemp -d /tmp/vorlunde-sway.XXXXXX)
  printf '%s\n' "output HEADLESS-1 resolution 1024x768 bg $desktop_colour solid_color" "default_border none" \
    "$@" > "$sway_runtime/config"
  chown -R $sway_user: "$sway_runtime"
  setpriv --reuid=$sway_user --regid=$sway_user --clear-groups env -i PATH=/usr/bin:/bin HOME="$sway_runtime" \
    XDG_RUNTIME_DIR="$sway_runtime" WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$sway_runtime/config" > "$work/sway.err" 2>&1 &
  sway_pid=$!
  sway_ready() { compgen -G "$sway_runtime/wayland-*[0-9]" >/dev/null && compgen -G "$sway_runtime/sway-ipc.*" >/dev/null; }
  wait_until "sway did not start: $(tail -3 "$work/sway.err")" 10 sway_ready
  WAYLAND_DISPLAY=$(compgen -G "$sway_runtime/wayland-*[0-9]" | head -1)
  SWAYSOCK=$(compgen -G "$sway_runtime/sway-ipc.*" | head -1)
  export WAYLAND_DISPLAY SWAYSOCK
  unset DISPLAY
  coproc POINTER { exec "$pointer_tool" 1024 768 2>&1; }
  local answer=
  read -r -t 10 answer <&"${POINTER[0]}" || true
  [[ $answer == ready ]] || fail "no virtual pointer: $answer"
}

# The pointer device: pointer move X Y | press | release (output pixels).
pointer() {
  local answer=
  echo "$*" >&"${POINTER[1]}"
  read -r -t 5 answer <&"${POINTER[0]}" || true
  [[ $answer == ok ]] || fail "the pointer did not $*"
  sleep 0.05
}

# The rectangle "X Y W H" of the window whose app id is $1 (empty when it has none).
window_rect() {
  swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node):
    if node.get("app_id") == sys.argv[1] or (node.get("window_properties") or {}).get("class") == sys.argv[1]:
        r = node["rect"]
        print(r["x"], r["y"], r["width"], r["height"], node.get("shell", ""))
        sys.exit(0)
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))' "$1"
}

# A screenshot of the window at $window_x, $window_y (size $window_size, "WxH") as
# $shots/NN-$1.png; its path in `last`.
shot() {
  shot_count=$((shot_count + 1))
  last=$shots/$(printf %02d $shot_count)-$1.png
  grim -g "$window_x,$window_y ${window_size/x/x}" "$last"
}

# The colour "R,G,B" of the pixel ($2, $3) of picture $1.
pixel_rgb() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}
# Whether colours "R,G,B" $1 and $2 differ by more than 12 in some channel.
far_from() { awk -v a="$1" -v b="$2" 'BEGIN { split(a, x, ","); split(b, y, ",")
  for (i = 1; i <= 3; i++) if (x[i] - y[i] > 12 || y[i] - x[i] > 12) exit 0; exit 1 }'; }
# Whether pixel ($2, $3) of picture $1 is the desktop's colour.
shows_desktop() { [[ $(pixel_rgb "$@") == "$desktop_rgb" ]]; }

# A click at window pixel ($1, $2) with the pointer device; then the pointer rests at a spot
# no element covers.
click_at() {
  pointer move $((window_x + $1)) $((window_y + $2))
  pointer press
  pointer release
  park_pointer
}
park_pointer() { pointer move $((window_x + 20)) $((window_y + 60)); }

# Points DISPLAY at sway's Xwayland (started on the first X client), which lets root's
# clients in (xhost).
use_xwayland() {
  swaymsg exec "xhost +si:localuser:root && echo \$DISPLAY > $sway_runtime/x-display" >/dev/null
  x_display_known() { [[ -s $sway_runtime/x-display ]]; }
  wait_until "sway names no X display" 5 x_display_known
  DISPLAY=$(cat "$sway_runtime/x-display")
  export DISPLAY
}

# The demo's intro, the desktop showing around it and in its keyed-out rounded corners; then,
# after a click on it, the fade (the window's alpha seen in a picture) to the day page as the
# skin tool draws it ($refs/dzien.png) with the panel's corners cut away. The window is at $window_x, $window_y; its picture in `last`.
intro_then_day() {
  echo "== the intro: the desktop shows around it and in its rounded corners"
  intro() { shot intro && shows_desktop "$last" 40 40 && shows_desktop "$last" 91 46 && ! shows_desktop "$last" 300 255; }
  wait_until "the intro's cut-away parts do not show the desktop" 4 intro
  echo "== a click fades the intro out and the day page in, in the panel's shape"
  [[ -f $refs/intro.png ]] || render_reference intro
  click_at 300 255
  # Half-way, the pixel in the middle is neither the desktop's nor either picture's.
  fading() {
    shot fade
    local colour
    colour=$(pixel_rgb "$last" 300 255)
    far_from "$colour" "$desktop_rgb" && far_from "$colour" "$(pixel_rgb "$refs/intro.png" 300 255)" &&
      far_from "$colour" "$(pixel_rgb "$refs/dzien.png" 300 255)"
  }
  wait_until "no fade seen" 3 fading
  day() {
    shot day && same_region "$last" "$refs/dzien.png" 540x430+30+10 && shows_desktop "$last" 0 0 &&
      shows_desktop "$last" 599 509
  }
  wait_until "the day page is not shown as drawn, with its corners cut away" 5 day
}
