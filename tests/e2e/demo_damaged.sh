#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Damaged copies of the demo skin in the real player under Xvfb: each shows its message in the
# message box and, exactly, on standard error; once the box is answered the player exits with
# status 1 and removes the fonts it had already written under TMPDIR (those of the skin's
# font chunks, which come before its pages).
#   - tarnel.cfg cut inside its root header: the first chunk's id is incomplete
#   - tarnel.cfg cut where its first page begins: the start page "intro" is never defined, and
#     the cut is reported first, on a line of its own
#   - tarnel.dat repacked without the day page's picture
# Then SIGTERM while a box is up: the box goes away and the player exits with status 1 at once.
# Usage: demo_damaged.sh PLAYER TARNEL_SKIN AUDIO_LEVEL DEMO_SKIN ARTIFACTS
set -euo pipefail
test_name=demo_damaged
source "$(dirname "$0")/demo_common.sh"

source "$(dirname "$0")/damaged_copies.sh"
make_damaged_copies

cut_warning="config file shorter than its header says: $first_page of $(stat -c %s "$skin/tarnel.cfg") bytes"

start_xvfb
cases=( # folder|fonts written before the error|warning line before the message|message
  "$header_cut|no||config file corrupted, first chunk should be 0x0258"
  "$pages_cut|yes|$cut_warning|config file corrupted, can't find page named intro"
  "$no_day_picture|yes||can't find file Data\\dzien.jpg in datafile"
)
for case in "${cases[@]}"; do
  IFS='|' read -r folder fonts warning message <<<"$case"
  echo "== ${folder##*/}: $message"
  launch "$folder" dummy
  box=$(find_window 'tarnel leaf runtime exception') || fail "no message box: $(cat "$work/player.err")"
  window=$box
  shot "${folder##*/}"
  expected=$message
  [[ -z $warning ]] || expected=$warning$'\n'$message
  [[ $(cat "$work/player.err") == "$expected" ]] || fail "standard error: $(cat "$work/player.err")"
  [[ $([[ -n $(ls -A "$work/tmp") ]] && echo yes || echo no) == "$fonts" ]] || fail "fonts under TMPDIR: $(ls -A "$work/tmp")"
  xdotool key --window "$box" Return 2>/dev/null
  wait_exit 5
  [[ $status == 1 ]] || fail "exit status $status"
  no_temporary_fonts
done

echo "== SIGTERM while the box is up"
launch "$no_day_picture" dummy
find_window 'tarnel leaf runtime exception' >/dev/null || fail "no message box: $(cat "$work/player.err")"
kill -TERM "$player_pid"
wait_exit 2
[[ $status == 1 ]] || fail "exit status $status"
! xwininfo -root -children | grep -qF '"tarnel leaf runtime exception": ' || fail "the message box stayed"
no_temporary_fonts
passed=1
echo "all passed"
