#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The demo skin driven through MPRIS with playerctl, in the real player under Xvfb and a
# private session bus: the player is listed with the first playlist title; gdbus introspection
# shows both MPRIS interfaces and the standard ones, and Peer answers; play-pause plays the
# first track, a module, which has a length and a moving position, goes to a position and
# seeks by seconds with a Seeked signal for each jump; next makes the title the next playlist
# title; the position moves while playing and jumps on
# a seek; loop Track and shuffle On light the skin's repeat and random lamps; the status
# follows pause and play pressed in the skin; Raise brings the window back from the tray; Quit
# over D-Bus ends the player with status 0.
# Without a session bus the player runs as before.
# Usage: demo_mpris.sh PLAYER TARNEL_SKIN AUDIO_LEVEL DEMO_SKIN ARTIFACTS
set -euo pipefail
test_name=demo_mpris
source "$(dirname "$0")/demo_common.sh"

button_y=398
pause_x=222
play_x=168
ctl() { playerctl --player=vorlunde "$@" 2>/dev/null; }
listed() { playerctl --list-all 2>/dev/null | grep -qx vorlunde; }
status_is() { [[ $(ctl status) == "$1" ]]; }
title_is() { [[ $(ctl metadata xesam:title) == "$1" ]]; }
# The position in whole milliseconds.
position_ms() { ctl position | awk '{ printf "%d", $1 * 1000 }'; }

"$tool" unpack "$skin/tarnel.dat" "$work/unpacked" >/dev/null
plain=$work/unpacked/Data/dzien.jpg
hover=$work/unpacked/Data/dzien_hover.jpg
start_xvfb
start_player

echo "== listed, with the first playlist title, stopped"
wait_until "not listed by playerctl" 5 listed
title_is "Morning Walk" || fail "first title: $(ctl metadata xesam:title)"
status_is Stopped || fail "status before play: $(ctl status)"
click_at 300 255 # the day page, where the lamps are
wait_until "no day page" 4 lamps "dark dark"

echo "== introspection and Peer"
object=(--session --dest org.mpris.MediaPlayer2.vorlunde --object-path /org/mpris/MediaPlayer2)
gdbus introspect "${object[@]}" > "$work/introspection" || fail "no introspection"
for interface in org.freedesktop.DBus.Introspectable org.freedesktop.DBus.Peer org.freedesktop.DBus.Properties \
                 org.mpris.MediaPlayer2 org.mpris.MediaPlayer2.Player; do
  grep -q "interface $interface {" "$work/introspection" || fail "$interface not introspected: $(cat "$work/introspection")"
done
# gdbus reads every introspected property with Get.
for property in "readonly s Identity = 'vorlunde'" "readonly b CanSeek = true" "readwrite s LoopStatus = 'None'" \
                "readonly x Position = 0"; do
  grep -qF "$property" "$work/introspection" || fail "no $property: $(cat "$work/introspection")"
done
gdbus call "${object[@]}" --method org.freedesktop.DBus.Peer.Ping > /dev/null || fail "Peer.Ping"

echo "== play-pause plays the module: length, moving position, seeks by seconds"
gdbus monitor --session --dest org.mpris.MediaPlayer2.vorlunde > "$work/signals" 2>&1 &
monitor_pid=$!
ctl play-pause
wait_until "play-pause did not play" 3 status_is Playing
length=$(ctl metadata mpris:length)
[[ $length -gt 20000000 ]] || fail "module length: $length"
before=$(position_ms)
moved() { (( $(position_ms) > before + 300 )); }
wait_until "the module's position stands still" 3 moved
ctl position 12
near() { local at; at=$(position_ms); (( at >= $1 && at < $1 + 1500 )); }
wait_until "going to 12 s did not" 3 near 12000
ctl position 5-
wait_until "seeking back 5 s did not" 3 near 7000
seeked() { [[ $(grep -c 'Player.Seeked' "$work/signals") -ge 2 ]]; }
wait_until "no Seeked for each jump" 3 seeked
kill "$monitor_pid"

echo "== next shows the next title"
ctl next
wait_until "next did not change the title" 3 title_is "Paper Boats"
[[ $(ctl metadata mpris:length) -gt 30000000 ]] || fail "length: $(ctl metadata mpris:length)"
[[ $(ctl metadata xesam:url) == file://*/music/02-paper-boats.ogg ]] || fail "url: $(ctl metadata xesam:url)"

echo "== the position moves while playing and jumps on a seek"
before=$(position_ms)
wait_until "the position stands still" 3 moved
before=$(position_ms)
ctl position 10+
jumped() { (( $(position_ms) >= before + 10000 )); }
wait_until "a seek of 10 s did not move the position" 3 jumped

echo "== loop and shuffle light the skin's lamps"
ctl loop Track
wait_until "loop Track did not light the repeat lamp" 3 lamps "lit dark"
ctl shuffle On
wait_until "shuffle On did not light the random lamp" 3 lamps "lit lit"
[[ $(ctl loop) == Track && $(ctl shuffle) == On ]] || fail "loop $(ctl loop), shuffle $(ctl shuffle)"
ctl loop None
ctl shuffle Off
wait_until "the lamps did not go out" 3 lamps "dark dark"

echo "== the status follows the skin's pause and play"
click_at $pause_x $button_y
wait_until "pause in the skin: status is $(ctl status)" 3 status_is Paused
click_at $play_x $button_y
wait_until "play in the skin: status is $(ctl status)" 3 status_is Playing

echo "== Raise brings the window back from the tray; Quit ends the player"
mpris_call() {
  dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.vorlunde /org/mpris/MediaPlayer2 \
    "org.mpris.MediaPlayer2.$1"
}
window_viewable() { xwininfo -id "$window" | grep -q 'Map State: IsViewable'; }
window_hidden() { ! window_viewable; }
trayer --edge top --align right --widthtype pixel --width 100 --heighttype pixel --height 32 2>/dev/null &
trayer_pid=$!
for _ in $(seq 100); do xwininfo -root -tree | grep -q '"panel"' && break; sleep 0.1; done
click_at 494 38 # the skin's tray button
wait_until "the tray button did not put the window away" 3 window_hidden
mpris_call Raise
wait_until "Raise did not bring the window back" 3 window_viewable
mpris_call Quit
wait_exit 5
[[ $status == 0 ]] || fail "exit status $status after Quit: $(cat "$work/player.err")"
kill "$trayer_pid"

echo "== without a session bus"
DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus start_player
kill -TERM "$player_pid"
wait_exit 5
[[ $status == 0 ]] || fail "exit status $status without a bus: $(cat "$work/player.err")"
passed=1
echo "all passed"
