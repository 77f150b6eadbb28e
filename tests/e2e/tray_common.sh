# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the tray tests: Xvfb on a free display, cleanup of started processes, waiting for
# lines of the probe's output. Source it; it sets DISPLAY and `work`.
set -euo pipefail
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; [[ -f $work/probe.out ]] && sed 's/^/probe: /' "$work/probe.out" >&2; exit 1; }

exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "pid $!")
read -r _ xvfb_pid <&3
read -r display_number <&3
pids+=("$xvfb_pid")
export DISPLAY=:$display_number

# Starts the probe ($1) with its output in $work/probe.out.
start_probe() {
  : > "$work/probe.out"
  "$1" > "$work/probe.out" 2>&1 &
  probe_pid=$!
  pids+=("$probe_pid")
}

# Waits up to 10 s until the probe's output has the exact line $1.
wait_line() {
  for _ in $(seq 100); do
    grep -qxF "$1" "$work/probe.out" && return 0
    sleep 0.1
  done
  fail "no line \"$1\""
}
