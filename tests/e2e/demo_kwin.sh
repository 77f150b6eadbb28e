#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The demo skin in the real player on KDE's compositor (kwin_wayland's virtual output at scale
# 1.5), the one compositor here that offers fractional scales: told 1.5 (preferred scale 180),
# the window draws a 1200x1020 buffer (the scale rounded up, the doubled drawing) that a
# viewport shows at 600x510 (the protocol log says so); VORLUNDE_SCALE=1 keeps 600x510
# buffers; SIGTERM ends the player with status 0. Skipped (77) where kwin_wayland is not
# installed.
# Usage: demo_kwin.sh PLAYER TARNEL_SKIN AUDIO_LEVEL DEMO_SKIN ARTIFACTS
set -euo pipefail
test_name=demo_kwin
source "$(dirname "$0")/demo_common.sh"
command -v kwin_wayland >/dev/null || { echo "SKIP: kwin_wayland is not installed"; exit 77; }

runtime=$work/runtime
mkdir -m 700 "$runtime"
# Debian gives kwin_wayland a file capability (to raise its priority), which a container's
# bounding set may refuse at exec; a copy without it runs the same.
cp /usr/bin/kwin_wayland "$work/kwin_wayland"
kwin_pid=
stop_kwin() { [[ -n $kwin_pid ]] && kill "$kwin_pid" 2>/dev/null && wait "$kwin_pid" 2>/dev/null || true; }
trap 'stop_kwin; keep_artifacts' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen HOME="$work" \
  "$work/kwin_wayland" --virtual --width 1024 --height 768 --scale 1.5 --socket wayland-test > "$work/kwin.err" 2>&1 &
kwin_pid=$!
kwin_ready() { [[ -S $runtime/wayland-test ]]; }
wait_until "kwin_wayland did not start: $(tail -3 "$work/kwin.err")" 15 kwin_ready
export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=wayland-test
unset DISPLAY

logged() { grep -q "$1" "$work/player.err"; }
stop_player() {
  kill -TERM "$player_pid"
  wait_exit 5
  [[ $status == 0 ]] || fail "exit status $status: $(tail -3 "$work/player.err")"
}

echo "== told 1.5, the window draws 1200x1020 shown at 600x510"
WAYLAND_DEBUG=1 launch
wait_until "no preferred fractional scale of 1.5: $(grep -v '^\[' "$work/player.err" | tail -3)" 10 \
  logged 'preferred_scale(180)'
wait_until "no 1200x1020 ARGB buffer after the scale" 5 logged 'create_buffer(.*, 1200, 1020, 4800, 0)'
logged 'wp_viewport@[0-9]*.set_destination(600, 510)' || fail "the viewport does not show 600x510"
stop_player

echo "== VORLUNDE_SCALE=1 keeps the skin's size"
VORLUNDE_SCALE=1 WAYLAND_DEBUG=1 launch
wait_until "no 600x510 buffer" 10 logged 'create_buffer(.*, 600, 510, 2400, 0)'
# The intro's fade-in: frames enough for the compositor's scales to have arrived.
faded_in() { (($(grep -c 'wl_surface@[0-9]*\.commit()' "$work/player.err") >= 20)); }
wait_until "no intro fading in" 10 faded_in
! logged 'create_buffer(.*, 1200, 1020' || fail "a 1200x1020 buffer although VORLUNDE_SCALE=1"
stop_player
passed=1
echo "all passed"
