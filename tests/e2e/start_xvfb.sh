# SPDX-License-Identifier: GPL-3.0-or-later
# The one way the test, Wine and benchmark scripts start their private X server (sourced).
#
# start_xvfb [SCREEN]: Xvfb on the first free display with screen SCREEN (default
# 1024x768x24), which reports its display through a pipe (-displayfd); sets xvfb_pid and
# exports DISPLAY. Another server starting at the same moment can take the display Xvfb
# picked: then it tries again, five times. -noreset: the server would otherwise reset when
# its last client leaves, refusing the next client that connects during the reset. On
# failure it prints one line and returns 1. The caller kills $xvfb_pid when done.
start_xvfb() {
  local display_number= _
  for _ in 1 2 3 4 5; do
    exec 3< <(Xvfb -displayfd 1 -screen 0 "${1:-1024x768x24}" -nolisten tcp -noreset 2>/dev/null & echo "pid $!")
    read -r _ xvfb_pid <&3
    read -r -t 20 display_number <&3 && break
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid= display_number=
    sleep 0.5
  done
  exec 3<&-
  [[ -n $display_number ]] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=:$display_number
}
