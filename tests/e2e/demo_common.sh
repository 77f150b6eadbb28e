# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the demo-skin scripts (sourced, with xvfb.sh): a scratch copy of the demo skin and
# its reference pictures, the player run in that copy with disk audio and a private TMPDIR,
# screenshots of the window compared region by region (polling with wait_until). On failure
# the screenshots and the player's standard error are kept under the artefacts folder.
# Takes the script's arguments: PLAYER TARNEL_SKIN AUDIO_LEVEL DEMO_SKIN ARTIFACTS (the default
# artefacts folder, overridden by VORLUNDE_E2E_ARTIFACTS); expects test_name.
player=$1
tool=$2
audio_level=$3
demo=$4
artifacts=$5
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"

skin=$work/skin
shots=$work/shots
refs=$work/refs
window=
shot_count=0
passed=

[[ -f $demo/tarnel.cfg && -f $demo/tarnel.dat ]] || fail "no demo skin in $demo (built by the demo_skin target)"
cp -r "$demo" "$skin"
mkdir -p "$shots" "$refs" "$work/tmp"

keep_artifacts() {
  if [[ -z $passed ]]; then
    local kept=${VORLUNDE_E2E_ARTIFACTS:-$artifacts}/$test_name
    rm -rf "$kept"
    mkdir -p "$kept"
    cp "$shots"/*.png "$kept"/ 2>/dev/null || true
    cp "$work"/*.err "$kept"/ 2>/dev/null || true
    echo "screenshots and player output kept in $kept" >&2
  fi
  cleanup
}
trap keep_artifacts EXIT

# The tool's drawing of page $1 as the reference $refs/$1.png (run in the skin, whose plug-in
# path is relative).
render_reference() {
  (cd "$skin" && "$tool" render . --page "$1" -o "$refs/$1.png" >/dev/null)
}

# Starts the player in skin folder $1 (default: the copy of the demo) with SDL's audio driver
# $2 (default: disk, writing audio.raw), fonts written under $work/tmp, standard error into
# player.err.
launch() {
  (cd "${1:-$skin}" && TMPDIR="$work/tmp" SDL_AUDIODRIVER=${2:-disk} SDL_DISKAUDIOFILE="$work/audio.raw" exec "$player") \
    2> "$work/player.err" &
  player_pid=$!
}
# Starts the player on the demo and finds its window.
start_player() {
  launch
  window=$(find_window vorlunde) || fail "no window: $(cat "$work/player.err")"
}

# A screenshot of the window as $shots/NN-$1.png; its path in `last`.
shot() {
  shot_count=$((shot_count + 1))
  last=$shots/$(printf %02d $shot_count)-$1.png
  import -window "$window" "$last"
}

# How many pixels of region $3 ("WxH+X+Y") differ by more than 3 % between pictures $1 and $2.
region_diff() {
  convert "$1" -crop "$3" +repage "$work/a.png"
  convert "$2" -crop "$3" +repage "$work/b.png"
  compare -metric AE -fuzz 3% "$work/a.png" "$work/b.png" null: 2>&1 || true
}
# Region $3 alike in $1 and $2: at most 1 % of its pixels differ.
same_region() {
  local size=${3%%+*}
  (( $(region_diff "$@") * 100 <= ${size%x*} * ${size#*x} ))
}
# Region $3 clearly changed between $1 and $2: more than 2 % of its pixels differ.
changed_region() {
  local size=${3%%+*}
  (( $(region_diff "$@") * 50 > ${size%x*} * ${size#*x} ))
}

# The window shape's extents, "WxH+X+Y"; whether they are $1.
shape_extents() {
  xwininfo -shape -id "$window" | awk '/Window shape extents:/ { print $4 }'
}
shaped_as() { [[ $(shape_extents) == "$1" ]]; }
# The demo's list view (demo/generator/layout.h): where its titles are clicked, the middle of
# line $1, and the right end of line $1, where the pressed picture's strip shows when it is
# selected. Two of its titles: an evening track and a day track.
list_x=150
line_y() { echo $((94 + 16 * $1 + 8)); }
list_line_end() { echo "18x16+272+$((94 + 16 * $1))"; }
amber_windows=9
garden_loop=4

# The shapes of the intro and outro (a fixed square) and of the panel (its mask's extents).
intro_shape=420x420+90+45
panel_shape=588x502+6+4

# Whether the repeat and random lamps are "$1": each "lit" (the hover picture $hover) or
# "dark" (the background picture $plain), e.g. "lit dark".
repeat_lamp=32x8+440+427
random_lamp=32x8+512+427
lamps() {
  local lamp result=
  shot lamps
  for lamp in $repeat_lamp $random_lamp; do
    if same_region "$last" "$hover" "$lamp"; then result+=" lit"
    elif same_region "$last" "$plain" "$lamp"; then result+=" dark"
    else result+=" neither"; fi
  done
  [[ ${result# } == "$1" ]]
}

# The RMS of the last $1 seconds of the player's sound.
audio_rms() {
  "$audio_level" "$work/audio.raw" "$1" | cut -d' ' -f1
}
louder_than() { awk -v a="$(audio_rms "$1")" -v b="$2" 'BEGIN { exit !(a > b) }'; }
quieter_than() { awk -v a="$(audio_rms "$1")" -v b="$2" 'BEGIN { exit !(a < b) }'; }

# Input relative to the window: a click at ($1, $2); then the pointer rests at a spot no
# element covers, so no hover look or hover line lingers in later screenshots.
click_at() {
  xdotool mousemove --window "$window" "$1" "$2" click 1 2>/dev/null
  park_pointer
}
park_pointer() { xdotool mousemove --window "$window" 20 60 2>/dev/null; }
press_key() { xdotool key --window "$window" "$1" 2>/dev/null; }

# Waits up to $1 seconds for the player to end by itself; its status in `status`.
player_ended() { ! kill -0 "$player_pid" 2>/dev/null; }
wait_exit() {
  wait_until "the player did not quit" "$1" player_ended
  wait_player
}
# The player left no temporary font folder or file behind.
no_temporary_fonts() {
  [[ -z $(ls -A "$work/tmp") ]] || fail "left behind in TMPDIR: $(ls -AR "$work/tmp")"
}
