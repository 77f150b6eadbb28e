#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The web player in headless Chromium (web_player_test.mjs): packs the demo skin with
# `tarnel-skin package --web`, renders its day page, damages a copy's tarnel.dat and asks the
# desktop's check for the player's message about it; packs a skin whose background has art at
# twice the size (a checkerboard of single pixels over a flat grey picture) and renders it at 2.
#   web_player_test.sh TARNEL_SKIN DEMO_SKIN WEB_PLAYER NODE_MODULES
# Exits 77 (skipped) when the web player, Chromium or puppeteer-core is not there:
# scripts/build-web makes the first and installs the others.
set -euo pipefail
tool=$1 demo=$2 player=$3 modules=$4
here=$(cd "$(dirname "$0")" && pwd)
for need in "$player/vorlunde.wasm" /usr/bin/chromium /usr/bin/pulseaudio /usr/bin/convert "$modules/puppeteer-core/package.json"; do
  if [ ! -e "$need" ]; then
    echo "skipped: no $need (scripts/build-web makes it)"
    exit 77
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$here/web_site.sh"
make_web_site "$tool" "$demo" "$player" "$work"
# A damaged archive: its index cut short.
cp -r "$work/site" "$work/damaged"
head -c 100 "$demo/tarnel.dat" > "$work/damaged/skin/tarnel.dat"
mkdir "$work/damaged-skin"
cp "$demo/tarnel.cfg" "$work/damaged/skin/tarnel.dat" "$work/damaged-skin/"
if "$tool" check "$work/damaged-skin" 2> "$work/damaged-error"; then
  echo "the damaged skin passed the check" >&2
  exit 1
fi
source "$here/../e2e/sharp_skin.sh"
sharp=$work/sharp-skin
make_sharp_skin "$tool" "$sharp" 300 200
"$tool" render "$sharp" --page p --scale 2 -o "$work/sharp2.png" > /dev/null
"$tool" package "$sharp" --web -o "$work/sharp" --player "$player" > /dev/null
# Chromium plays into a PulseAudio null sink of its own, whose monitor the test records.
start_pulse "$work"
trap 'kill $pulse_pid 2> /dev/null; wait $pulse_pid 2> /dev/null; rm -rf "$work"' EXIT
cd "$work"
NODE_PATH=$modules node "$here/web_player_test.mjs" site day.png text-areas damaged damaged-error sharp sharp2.png
