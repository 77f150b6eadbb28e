# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the end-to-end scripts (sourced): a scratch folder `work` removed at exit, a
# private Xvfb, window lookup, the screen's pixels, polling (wait_until) and waiting for the
# player.
xvfb_pid=
player_pid=
work=$(mktemp -d)
fail() { echo "FAIL: $*" >&2; exit 1; }
cleanup() {
  [[ -n $player_pid ]] && kill "$player_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR

source "$(dirname "${BASH_SOURCE[0]}")/start_xvfb.sh"
source "$(dirname "${BASH_SOURCE[0]}")/wait_until.sh"

# The id of the top-level window named exactly $1, waited for up to 10 s. (xwininfo also
# reads UTF-8 names, which xdotool's search misses.)
find_window() {
  local id
  for _ in $(seq 100); do
    id=$(xwininfo -root -children | grep -F "\"$1\": " | awk '{print $1}' | head -1 || true)
    [[ -n $id ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# The pixel of the screen at ($1, $2) as ImageMagick names it.
screen_pixel() {
  import -window root "$work/screen.png"
  convert "$work/screen.png" -format "%[pixel:p{$1,$2}]" info:
}

# Sets `status` to the player's exit status once it ended (killed after 10 s).
wait_player() {
  for _ in $(seq 100); do
    kill -0 "$player_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$player_pid" 2>/dev/null || true
  status=0
  wait "$player_pid" || status=$?
  player_pid=
}
