#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# vorlunde.exe under Wine with damaged copies of the demo skin (made with the Linux skin tool):
# each shows the error box "tarnel leaf runtime exception", writes its message exactly on
# standard error and ends with status 1 once the box is closed; no private font folder is
# left behind, also when fonts were installed before the error.
#   - no tarnel.cfg at all
#   - tarnel.cfg cut inside its root header
#   - tarnel.cfg cut where its first page begins (fonts come before it): the cut is reported
#     first, on a line of its own
#   - tarnel.dat repacked without the day page's picture
# (A stop request while the box is up is not tried: Wine sends a console's Ctrl+C only to
# console programs, and the player is a GUI program.)
# Usage: damaged_skin.sh PLAYER_EXE PLUGIN_DLL DEMO_SKIN TARNEL_SKIN
set -euo pipefail
source "$(dirname "$0")/wine_common.sh"
tool=$4

source "$(dirname "$0")/../e2e/damaged_copies.sh"
empty=$work/empty
mkdir "$empty"
make_damaged_copies
cut_warning="config file shorter than its header says: $first_page of $(stat -c %s "$skin/tarnel.cfg") bytes"

start_display
# Wine may still be replacing the box's X window when the first key comes: press Return until
# the player has ended. An xdotool that fails halfway leaves the key down in the X server, and
# its auto-repeat would answer every later box at once: release it each time.
close_box() {
  local box
  box=$(find_window "tarnel leaf runtime exception" 2>/dev/null) && xdotool key --window "$box" Return 2>/dev/null
  xdotool keyup Return 2>/dev/null || true
  sleep 0.5
  player_ended
}
cases=( # folder|warning line before the message|message
  "$empty||can't open config file"
  "$header_cut||config file corrupted, first chunk should be 0x0258"
  "$pages_cut|$cut_warning|config file corrupted, can't find page named intro"
  "$no_day_picture||can't find file Data\\dzien.jpg in datafile"
)
for case in "${cases[@]}"; do
  IFS='|' read -r folder warning message <<<"$case"
  echo "== ${folder##*/}: $message"
  launch "$folder"
  find_window "tarnel leaf runtime exception" > /dev/null || fail "no error box"
  wait_until "the error box did not close" 20 close_box
  wait_exit 5
  [[ $status == 1 ]] || fail "exit status $status, not 1"
  expected=$message
  [[ -z $warning ]] || expected=$warning$'\n'$message
  [[ $(grep -v "^CRITICAL: " "$work/player.err" | tr -d '\r') == "$expected" ]] || fail "standard error: $(cat "$work/player.err")"
  ! font_folders_left || fail "a private font folder is left"
done

echo "PASS"
