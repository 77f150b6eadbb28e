# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the Windows end-to-end scripts (sourced): a scratch Wine prefix and Xvfb, the player
# (vorlunde.exe) run under Wine in a copy of the demo skin with SDL's disk audio, window lookup,
# clicks, keys and polling. Takes the script's arguments: PLAYER_EXE PLUGIN_DLL DEMO_SKIN.
# Wine's X11 driver runs unmanaged windows (Managed=N): no window manager is needed.
player=$(realpath "$1")
plugin=$(realpath "$2")
demo=$(realpath "$3")
wine=${VORLUNDE_WINE:-/usr/lib/wine/wine64}
work=$(mktemp -d)
xvfb_pid=
player_pid=
fail() { echo "FAIL: $*" >&2; [[ -f $work/player.err ]] && sed 's/^/  player: /' "$work/player.err" >&2; exit 1; }
cleanup() {
  [[ -n $player_pid ]] && kill "$player_pid" 2>/dev/null || true
  WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

[[ -f $demo/tarnel.cfg && -f $demo/tarnel.dat ]] || fail "no demo skin in $demo"
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

source "$(dirname "${BASH_SOURCE[0]}")/../e2e/start_xvfb.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/wait_until.sh"
# Xvfb with a screen of $1 pixels (default 1024x768), then the Wine prefix made on it.
start_display() {
  start_xvfb "${1:-1024x768}x24" || fail "no X server"
  "$wine" wineboot -i > "$work/wineboot.log" 2>&1 || fail "wineboot failed: $(tail -5 "$work/wineboot.log")"
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null 2>&1
}

# A copy of the demo skin; the plug-in DLL under the name the skin gives its plug-in (a
# library file name may have any extension).
skin=$work/skin
cp -r "$demo" "$skin"
cp "$plugin" "$skin/bar_scope.so"

# Starts the player in folder $1 (default: the skin copy), standard error into player.err.
launch() {
  (cd "${1:-$skin}" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" exec "$wine" "$player") \
    2> "$work/player.err" &
  player_pid=$!
}

# The id of the top-level X window named exactly $1, waited for up to 60 s (Wine's first
# use of fonts in a fresh prefix is slow).
find_window() {
  local id
  for _ in $(seq 600); do
    id=$(xwininfo -root -children | grep -F "\"$1\": " | awk '{print $1}' | head -1 || true)
    [[ -n $id ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

player_ended() { ! kill -0 "$player_pid" 2>/dev/null; }
# Waits up to $1 seconds for the player to end; its status in `status`.
wait_exit() {
  wait_until "the player did not end" "$1" player_ended
  status=0
  wait "$player_pid" || status=$?
  player_pid=
}

# Wine's temporary folders, where the private font folders go.
font_folders_left() {
  find "$WINEPREFIX/drive_c/users" -maxdepth 6 -name 'vorlunde-fonts-*' 2>/dev/null | grep -q .
}

# The RMS of the last $1 seconds of the disk audio (44.1 kHz stereo 32-bit float).
recent_rms() {
  python3 - "$work/audio.raw" "$1" <<'PY'
import array, math, os, sys
path, seconds = sys.argv[1], float(sys.argv[2])
count = int(44100 * 2 * seconds)
size = os.path.getsize(path) if os.path.exists(path) else 0
samples = array.array("f")
with open(path, "rb") if size else open(os.devnull, "rb") as f:
    f.seek(max(0, size - count * 4) // 4 * 4)
    samples.frombytes(f.read())
print(math.sqrt(sum(s * s for s in samples) / len(samples)) if samples else 0.0)
PY
}
loud() { python3 -c "import sys; sys.exit(0 if $(recent_rms 0.5) > 0.01 else 1)"; }
silent() { python3 -c "import sys; sys.exit(0 if $(recent_rms 0.5) < 0.0005 else 1)"; }
