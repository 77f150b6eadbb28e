#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The demo skin at scale 2 (VORLUNDE_SCALE=2) in the real player under Xvfb: the window is
# twice the skin's size and centred; the intro's and the panel's shapes are their masks at
# double size, the panel's rounded corners cut twice as deep; the day page shows as the tool's drawing of
# it with every pixel doubled; a click at the doubled position of the repeat button turns
# repeat on (seen over MPRIS and on the lamp); SIGTERM ends the player with status 0.
# Usage: demo_hidpi.sh PLAYER TARNEL_SKIN AUDIO_LEVEL DEMO_SKIN ARTIFACTS
set -euo pipefail
test_name=demo_hidpi
source "$(dirname "$0")/demo_common.sh"

export VORLUNDE_SCALE=2
render_reference dzien
"$tool" unpack "$skin/tarnel.dat" "$work/unpacked" >/dev/null
convert "$work/unpacked/Data/dzien_hover.jpg" -scale 200% "$refs/hover2.png"
convert "$refs/dzien.png" -scale 200% "$refs/dzien2.png"
start_xvfb 1600x1200x24
import -window root "$shots/bare.png"
start_player

echo "== twice the size, centred"
info=$(xwininfo -id "$window")
grep -q 'Width: 1200$' <<<"$info" || fail "width: $info"
grep -q 'Height: 1020$' <<<"$info" || fail "height: $info"
grep -q 'Absolute upper-left X:  200$' <<<"$info" || fail "not centred: $info"
grep -q 'Absolute upper-left Y:  90$' <<<"$info" || fail "not centred: $info"

echo "== the masks at double size; a click at a doubled position acts"
wait_until "no intro shape at double size" 3 shaped_as 840x840+180+90
click_at 600 510
wait_until "no panel shape at double size" 4 shaped_as 1176x1004+12+8
# The screen before the player (bare.png) and now: where the panel's rounded corner (radius
# 26) cuts skin pixels (6..9, 4..7), window pixels (12..19, 8..15) show the bare screen; the
# window pixels around (200, 200) show the panel.
corner_cut() {
  import -window root "$shots/now.png"
  same_region "$shots/bare.png" "$shots/now.png" 8x8+$((200 + 12))+$((90 + 8)) &&
    changed_region "$shots/bare.png" "$shots/now.png" 8x8+$((200 + 200))+$((90 + 200))
}
wait_until "the panel's corner is not cut at double size, or its inside is" 3 corner_cut

echo "== frames shown doubled; the doubled repeat button"
xdotool mousemove --window "$window" 40 120 2>/dev/null
day_doubled() { shot day && same_region "$last" "$refs/dzien2.png" 1080x860+60+20; }
wait_until "the day page is not the drawing doubled" 4 day_doubled
click_at 912 796 # the repeat button, (456, 398) in the skin
repeat_on() { [[ $(playerctl --player=vorlunde loop 2>/dev/null) == Track ]]; }
wait_until "the click at the doubled repeat button did not turn repeat on" 3 repeat_on
lamp_lit() { shot lamp && same_region "$last" "$refs/hover2.png" 64x16+880+854; }
wait_until "the repeat lamp is not lit at double size" 3 lamp_lit

kill -TERM "$player_pid"
wait_exit 5
[[ $status == 0 ]] || fail "exit status $status: $(cat "$work/player.err")"
passed=1
echo "all passed"
