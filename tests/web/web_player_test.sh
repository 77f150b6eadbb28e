#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The web player in headless Chromium (web_player_test.mjs): packs the demo skin with
# `tarnel-skin package --web`, renders its day page, damages a copy's tarnel.dat and asks the
# desktop's check for the player's message about it.
#   web_player_test.sh TARNEL_SKIN DEMO_SKIN WEB_PLAYER NODE_MODULES
# Exits 77 (skipped) when the web player, Chromium or puppeteer-core is not there:
# scripts/build-web makes the first and installs the others.
set -euo pipefail
tool=$1 demo=$2 player=$3 modules=$4
here=$(cd "$(dirname "$0")" && pwd)
for need in "$player/vorlunde.wasm" /usr/bin/chromium /usr/bin/pulseaudio "$modules/puppeteer-core/package.json"; do
  if [ ! -e "$need" ]; then
    echo "skipped: no $need (scripts/build-web makes it)"
    exit 77
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$tool" package "$demo" --web -o "$work/site" --player "$player" > /dev/null
"$tool" render "$demo" --page dzien -o "$work/day.png" > /dev/null
# Where the day page draws text: its list view and text browser (lines may run on to the
# window's right and bottom edges) and the status line, right of and below (51, 462).
"$tool" dump "$demo/tarnel.cfg" | awk '
  /^page / { in_day = 0 } /name "dzien"/ { in_day = 1 }
  in_day && /^  (track_list_view|text_browser) / { view = 1 }
  in_day && view && /area \[/ { gsub(/[\[\],]/, ""); print $2, $3, 10000, 10000; view = 0 }' > "$work/text-areas"
echo "51 462 10000 10000" >> "$work/text-areas"
# A damaged archive: its index cut short.
cp -r "$work/site" "$work/damaged"
head -c 100 "$demo/tarnel.dat" > "$work/damaged/skin/tarnel.dat"
mkdir "$work/damaged-skin"
cp "$demo/tarnel.cfg" "$work/damaged/skin/tarnel.dat" "$work/damaged-skin/"
if "$tool" check "$work/damaged-skin" 2> "$work/damaged-error"; then
  echo "the damaged skin passed the check" >&2
  exit 1
fi
# Chromium plays into a PulseAudio null sink of its own, whose monitor the test records.
mkdir -p "$work/pulse"
XDG_RUNTIME_DIR=$work/pulse HOME=$work/pulse pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n \
  --load="module-null-sink sink_name=capture" \
  --load="module-native-protocol-unix socket=$work/pulse/socket auth-anonymous=1" > "$work/pulse/log" 2>&1 &
pulse=$!
trap 'kill $pulse 2> /dev/null; wait $pulse 2> /dev/null; rm -rf "$work"' EXIT
export PULSE_SERVER=unix:$work/pulse/socket
for _ in $(seq 50); do pactl info > /dev/null 2>&1 && break; sleep 0.1; done
cd "$work"
NODE_PATH=$modules node "$here/web_player_test.mjs" site day.png text-areas damaged damaged-error
