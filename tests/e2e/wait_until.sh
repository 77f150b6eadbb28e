# SPDX-License-Identifier: GPL-3.0-or-later
# Polling with a bound, for the end-to-end, tray and Wine scripts (sourced; they define `fail`).
#
# wait_until WHAT SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds; after
# SECONDS without success, fails with "WHAT (not within SECONDS s)".
wait_until() {
  local what=$1 seconds=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    ((SECONDS < deadline)) || fail "$what (not within $seconds s)"
    sleep 0.1
  done
}
