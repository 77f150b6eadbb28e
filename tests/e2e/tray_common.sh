# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the tray tests: Xvfb on a free display, cleanup of started processes, polling
# (wait_until) and waiting for lines of the probe's output. Source it; it sets DISPLAY and `work`.
# tree_has/tree_lacks NAME: whether a window named NAME is in the X window tree.
set -euo pipefail
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; [[ -f $work/probe.out ]] && sed 's/^/probe: /' "$work/probe.out" >&2; exit 1; }

source "$(dirname "${BASH_SOURCE[0]}")/start_xvfb.sh"
source "$(dirname "${BASH_SOURCE[0]}")/wait_until.sh"
start_xvfb || fail "no X server"
pids+=("$xvfb_pid")

tree_has() { xwininfo -root -tree | grep -qF "\"$1\""; }
tree_lacks() { ! tree_has "$1"; }

# Starts the probe ($1) with its output in $work/probe.out.
start_probe() {
  : > "$work/probe.out"
  "$1" > "$work/probe.out" 2>&1 &
  probe_pid=$!
  pids+=("$probe_pid")
}

# Waits up to 10 s until the probe's output has the exact line $1.
wait_line() {
  wait_until "no line \"$1\"" 10 grep -qxF "$1" "$work/probe.out"
}
