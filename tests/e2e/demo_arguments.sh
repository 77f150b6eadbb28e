#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `vorlunde [SKIN]` in the real player under Xvfb, started from an unrelated folder: the demo
# named by its folder, and by its name under a scratch XDG_DATA_HOME, opens its window (its
# plug-in, named "./bar_scope.so", is found in the skin's folder); a skin that exists nowhere,
# an unknown option and two skins get a usage line and status 2; --version and --help answer
# on standard output. `tarnel-skin check` and `render` load the plug-in from the named folder.
# Usage: demo_arguments.sh PLAYER TARNEL_SKIN AUDIO_LEVEL DEMO_SKIN ARTIFACTS
set -euo pipefail
test_name=demo_arguments
source "$(dirname "$0")/demo_common.sh"

elsewhere=$work/elsewhere
mkdir -p "$elsewhere" "$work/data/vorlunde/skins"
ln -s "$skin" "$work/data/vorlunde/skins/demo"
export XDG_DATA_HOME=$work/data TMPDIR=$work/tmp SDL_AUDIODRIVER=dummy
run_elsewhere() { (cd "$elsewhere" && exec "$player" "$@"); }

start_xvfb
for skin_argument in "$skin" demo; do
  echo "== vorlunde $skin_argument"
  (cd "$elsewhere" && exec "$player" "$skin_argument") 2> "$work/player.err" &
  player_pid=$!
  window=$(find_window vorlunde) || fail "no window for $skin_argument: $(cat "$work/player.err")"
  kill -TERM "$player_pid"
  wait_exit 5
  [[ $status == 0 ]] || fail "exit status $status after SIGTERM: $(cat "$work/player.err")"
done

echo "== bad arguments: usage line, status 2"
for arguments in "nowhere" "./nowhere" "--loud" "demo demo"; do
  status=0
  # shellcheck disable=SC2086 # the words are separate arguments
  run_elsewhere $arguments > "$work/out" 2> "$work/player.err" || status=$?
  [[ $status == 2 ]] || fail "status $status for '$arguments'"
  [[ $(tail -1 "$work/player.err") == "usage: vorlunde [--help] [--version] [SKIN]" ]] ||
    fail "no usage line for '$arguments': $(cat "$work/player.err")"
  [[ ! -s $work/out ]] || fail "standard output for '$arguments': $(cat "$work/out")"
done
grep -qx "vorlunde: no skin folder or installed skin named nowhere" <(run_elsewhere nowhere 2>&1 || true) ||
  fail "no reason given for a missing skin"
[[ $(run_elsewhere --version) =~ ^vorlunde\ [0-9]+\.[0-9]+ ]] || fail "--version: $(run_elsewhere --version)"
run_elsewhere --help | grep -q '^usage: vorlunde' || fail "--help"

echo "== tarnel-skin check and render name the skin's folder"
(cd "$elsewhere" && "$tool" check "$skin") || fail "check from another folder"
(cd "$elsewhere" && "$tool" render "$skin" --page dzien -o "$work/dzien.png" >/dev/null) || fail "render from another folder"
passed=1
echo "all passed"
