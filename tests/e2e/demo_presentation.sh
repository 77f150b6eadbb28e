#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The demo skin's three acts in the real player under Xvfb (no compositing manager, so the
# non-layered path runs): the intro shows as `tarnel-skin render` draws it, in the intro's
# shape, with the fonts installed under TMPDIR and no sound; its timer gives way to the day
# page (drawn as rendered, in the panel's shape) whose enter list fades the jingle in; Escape
# runs the outro (its picture and shape; the day page's leave list fades the jingle out); the
# outro's timer quits: status 0 and no temporary font left behind.
# Usage: demo_presentation.sh PLAYER TARNEL_SKIN AUDIO_LEVEL DEMO_SKIN ARTIFACTS
set -euo pipefail
test_name=demo_presentation
source "$(dirname "$0")/demo_common.sh"

presentation_area=300x400+150+55 # inside the intro and outro pictures, clear of their rounded corners
panel_area=540x430+30+10         # the whole panel but its status line

for page in intro dzien outro; do render_reference $page; done
start_xvfb
start_player

echo "== intro"
intro_shown() { shot intro && same_region "$last" "$refs/intro.png" $presentation_area && shaped_as $intro_shape; }
wait_until "the intro is not shown as rendered, in its shape" 3 intro_shown
[[ -n $(ls -A "$work/tmp") ]] || fail "no font folder under TMPDIR while running"
quieter_than 0.5 0.0001 || fail "sound during the intro: rms $(audio_rms 0.5)"

echo "== the intro's timer: day page and jingle"
park_pointer
day_shown() { shot day && same_region "$last" "$refs/dzien.png" $panel_area && shaped_as $panel_shape; }
wait_until "the day page is not shown as rendered, in the panel's shape" 8 day_shown
wait_until "no jingle when the day page is entered" 5 louder_than 0.3 0.01

echo "== Escape: outro, jingle fades"
press_key Escape
outro_shown() { shot outro && same_region "$last" "$refs/outro.png" $presentation_area && shaped_as $intro_shape; }
wait_until "the outro is not shown as rendered, in the intro's shape" 4 outro_shown
wait_until "the jingle did not fade out" 5 quieter_than 0.3 0.0001

echo "== the outro's timer quits"
wait_exit 8
[[ $status == 0 ]] || fail "exit status $status: $(cat "$work/player.err")"
no_temporary_fonts
passed=1
echo "all passed"
