# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by tests/web/web_player_test.sh and scripts/bench-web: the demo packed for the web,
# the picture to compare its day page with, and a PulseAudio of its own to play into.

# make_web_site TARNEL_SKIN DEMO_SKIN WEB_PLAYER WORK: WORK/site (`package --web`), WORK/day.png
# (`render` of the day page) and WORK/text-areas, where the day page draws text: its list view
# and text browser (lines may run on to the window's right and bottom edges) and the status
# line, right of and below (51, 462), "left top right bottom" a line.
make_web_site() {
  local tool=$1 demo=$2 player=$3 work=$4
  "$tool" package "$demo" --web -o "$work/site" --player "$player" > /dev/null
  "$tool" render "$demo" --page dzien -o "$work/day.png" > /dev/null
  "$tool" dump "$demo/tarnel.cfg" | awk '
    /^page / { in_day = 0 } /name "dzien"/ { in_day = 1 }
    in_day && /^  (track_list_view|text_browser) / { view = 1 }
    in_day && view && /area \[/ { gsub(/[\[\],]/, ""); print $2, $3, 10000, 10000; view = 0 }' > "$work/text-areas"
  echo "51 462 10000 10000" >> "$work/text-areas"
}

# start_pulse WORK: a PulseAudio with a null sink "capture" (its monitor can be recorded),
# reached through PULSE_SERVER (exported); its pid in pulse_pid. The caller stops it.
start_pulse() {
  local work=$1
  mkdir -p "$work/pulse"
  XDG_RUNTIME_DIR=$work/pulse HOME=$work/pulse pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n \
    --load="module-null-sink sink_name=capture" \
    --load="module-native-protocol-unix socket=$work/pulse/socket auth-anonymous=1" > "$work/pulse/log" 2>&1 &
  pulse_pid=$!
  export PULSE_SERVER=unix:$work/pulse/socket
  for _ in $(seq 50); do pactl info > /dev/null 2>&1 && break; sleep 0.1; done
}
