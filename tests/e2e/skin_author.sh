#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Skin authoring with tarnel-skin, checked with programs other than ours where they can be:
# - a PNG with alpha made by ImageMagick, stored as bmp24, bmp8, rle8 and jpeg, renders like
#   the source (ImageMagick measures the error), and its alpha, made into a mask, equals the
#   mask ImageMagick extracts from it;
# - the starter skin from `new` passes check and runs in the player under Xvfb: intro, the
#   panel's shape, a quit by the window's close;
# - `watch` rebuilds when a named file changes and prints a broken manifest's error with its
#   line; with --run it asks the player to reload on each good build, starts it again once
#   it has ended, and ends it when it ends;
# - `package --linux` makes a tarball whose install.sh installs the skin and a desktop entry
#   (desktop-file-validate checks it) under XDG_DATA_HOME, where `vorlunde NAME` finds and
#   plays it; `package --windows` makes a zip (unzip reads it) with the player beside the skin
#   and the licence.
# Usage: skin_author.sh PLAYER TARNEL_SKIN SEND_CLOSE
set -euo pipefail
player=$1
tool=$2
send_close=$3
source "$(dirname "$0")/xvfb.sh"
watch_pid=
trap 'cleanup; [[ -n $watch_pid ]] && kill "$watch_pid" 2>/dev/null || true' EXIT

# Waits up to 20 s until file $1 holds at least $3 lines matching $2.
wait_lines() {
  for _ in $(seq 200); do
    (( $(grep -c -- "$2" "$1" || true) >= $3 )) && return 0
    sleep 0.1
  done
  fail "waited for $3 lines like '$2' in $1: $(cat "$1")"
}

echo "== every command and option of --help is in the manual page"
manual=$(dirname "$0")/../../packaging/tarnel-skin.1
commands=$("$tool" --help | awk '/^Subcommands:/ { on = 1; next } on && NF { print $1 }')
[[ $(wc -w <<< "$commands") -ge 12 ]] || fail "--help lists: $commands"
for command in $commands; do
  grep -q "^\.B tarnel-skin $command\b" "$manual" || fail "the manual page's synopsis lacks $command"
  for option in $("$tool" "$command" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    [[ $option == --help ]] || grep -qF -- "\\-\\-${option#--}" "$manual" || fail "the manual page lacks $command $option"
  done
done

echo "== pictures from an ImageMagick PNG with alpha"
mkdir -p "$work/pictures"
cd "$work/pictures"
convert -size 64x48 gradient:'#20c040-#f0a010' \( -size 64x48 xc:black -fill white -draw 'circle 32,24 32,4' \) \
  -alpha off -compose copy_opacity -composite art.png
[[ $(identify -format '%[channels]' art.png) == srgba ]] || fail "the source has no alpha"
convert art.png -alpha off source.png
{
  printf '[root]\nwidth = 64\nheight = 48\n'
  for format in bmp24 bmp8 rle8 jpeg; do
    ext=bmp; [[ $format == jpeg ]] && ext=jpg
    printf '[[chunk]]\ntype = "page"\nname = "%s"\nbackground = "Data\\\\%s.%s"\n' $format $format $ext
  done
  printf '[[chunk]]\ntype = "start_page"\npage = "bmp24"\n'
  for format in bmp24 bmp8 rle8 jpeg; do
    ext=bmp; [[ $format == jpeg ]] && ext=jpg
    printf '[[file]]\nname = "Data\\\\%s.%s"\npath = "art.png"\nformat = "%s"\n' $format $ext $format
  done
  printf '[[file]]\nname = "Data\\\\panel.rgn"\nmask_from = "art.png"\n'
} > skin.toml
"$tool" build skin.toml -o skin > build.out
# Peak channel error against the source, 0 to 255.
peak_error() {
  "$tool" render skin --page "$1" -o "$1.png" > /dev/null
  { compare -metric PAE "$1.png" source.png null: 2>&1 || true; } | sed 's/.*(\(.*\))/\1/' | awk '{ printf "%d", $1 * 255 + 0.5 }'
}
[[ $(peak_error bmp24) == 0 ]] || fail "bmp24 is not exact"
for format in bmp8 rle8 jpeg; do
  error=$(peak_error $format)
  (( error <= 12 )) || fail "$format differs from the source by $error"
done
# ImageMagick's mask: alpha of 128 and more kept (0), less cut (1).
convert art.png -alpha extract -threshold 50% -negate -depth 8 gray:- | tr '\377' '\001' > expected.rgn
"$tool" unpack skin/tarnel.dat files > /dev/null
cmp files/Data/panel.rgn expected.rgn || fail "the mask from alpha differs from ImageMagick's"

echo "== the starter skin"
cd "$work"
"$tool" new starter > /dev/null
"$tool" new starter 2> again.err && fail "new wrote into a folder holding files"
grep -q "already holds files" again.err || fail "new said: $(cat again.err)"
"$tool" build starter/skin.toml -o starter > build.out
grep -q warning build.out && fail "the starter builds with warnings: $(cat build.out)"
"$tool" check starter || fail "check refused the starter"

start_xvfb
export SDL_AUDIODRIVER=dummy
(cd starter && exec "$player") 2> player.err &
player_pid=$!
window=$(find_window "my skin") || fail "no window: $(cat player.err)"
extents() { xwininfo -shape -id "$1" | awk '/Window shape extents:/ { print $4 }'; }
shaped_as() { [[ $(extents "$window") == "$1" ]]; }
wait_until "no intro shape" 5 shaped_as 420x420+90+45
# The intro's timer (4 s) goes on to the panel page, whose mask is the panel's alpha.
wait_until "no panel shape" 10 shaped_as 588x502+6+4
"$send_close" "$window"
wait_player
[[ $status == 0 ]] || fail "exit status: $status ($(cat player.err))"

echo "== package"
"$tool" package starter --linux -o starter.tar.gz > package.out || fail "package --linux failed"
mkdir unpacked && tar -xzf starter.tar.gz -C unpacked
XDG_DATA_HOME=$work/data sh unpacked/install.sh > /dev/null || fail "install.sh failed"
installed=$work/data/vorlunde/skins/starter
[[ -f $installed/tarnel.cfg && -f $installed/tarnel.dat ]] || fail "install.sh installed no skin"
[[ -n $(ls "$installed/music") ]] || fail "install.sh installed no music"
entry=$work/data/applications/vorlunde-skin-starter.desktop
grep -qx "Name=my skin" "$entry" && grep -qx "Exec=vorlunde starter" "$entry" || fail "desktop entry: $(cat "$entry")"
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
(cd / && XDG_DATA_HOME=$work/data exec "$player" starter) 2> player.err &
player_pid=$!
window=$(find_window "my skin") || fail "the installed skin shows no window: $(cat player.err)"
"$send_close" "$window"
wait_player
[[ $status == 0 ]] || fail "installed skin: exit status $status ($(cat player.err))"
printf 'MZ a stand-in for the player' > vorlunde.exe
"$tool" package starter --windows --player vorlunde.exe -o starter.zip > /dev/null || fail "package --windows failed"
unzip -q starter.zip -d windows || fail "unzip can't read the zip"
for file in vorlunde.exe tarnel.cfg tarnel.dat LICENSE.txt README.txt; do
  [[ -f windows/starter/$file ]] || fail "the zip lacks starter/$file"
done
cmp windows/starter/tarnel.dat starter/tarnel.dat || fail "the zip's tarnel.dat differs"
cmp windows/starter/LICENSE.txt "$(dirname "$0")/../../LICENSE" || fail "the zip's licence is not LICENSE"

echo "== watch"
"$tool" watch starter/skin.toml -o built > watch.out 2> watch.err &
watch_pid=$!
wait_lines watch.out "^watching" 1
printf '\nA line added while watching.\n' >> starter/art/about.txt
wait_lines watch.out "^changed: .*/starter/art/about.txt" 1
wait_lines watch.out "^watching" 2
grep -q "A line added while watching" built/tarnel.dat || fail "the rebuilt archive lacks the change"
lines=$(wc -l < starter/skin.toml)
printf '\n[[chunk]]\ntype = "no_such_chunk"\n' >> starter/skin.toml
wait_lines watch.err "skin.toml:$((lines + 3)):8: unknown chunk type no_such_chunk" 1
head -n "$lines" starter/skin.toml > skin.toml
printf '\n[[chunk]]\ntype = "page"\nname = "more"\nbackground = "Data\\\\missing.bmp"\n' >> skin.toml
mv skin.toml starter/skin.toml
wait_lines watch.err "skin.toml:$((lines + 5)): the player refuses the skin: can't find file Data.missing.bmp in datafile" 1
kill -TERM $watch_pid
wait $watch_pid || fail "watch ended with status $?"
watch_pid=
head -n "$lines" starter/skin.toml > skin.toml && mv skin.toml starter/skin.toml

echo "== watch --run"
"$tool" watch starter/skin.toml -o starter --run > run.out 2> run.err &
watch_pid=$!
wait_lines run.out "^started " 1
first=$(grep -o 'process [0-9]*' run.out | head -1 | cut -d' ' -f2)
find_window "my skin" > /dev/null || fail "watch --run shows no window: $(cat run.err)"
touch starter/art/panel.png
wait_lines run.out "^asked process $first to reload the skin" 1
kill -0 "$first" || fail "the player did not stay: $(cat run.err)"
kill -TERM "$first"
ended() { [[ $(ps -o stat= -p "$first" || true) != [^Z]* ]]; } # gone, or a zombie for watch to reap
wait_until "the player did not end on SIGTERM" 10 ended
touch starter/art/panel.png
wait_lines run.out "^started " 2
second=$(grep -o 'process [0-9]*' run.out | tail -1 | cut -d' ' -f2)
kill -0 "$second" || fail "the restarted player does not run: $(cat run.err)"
kill -TERM $watch_pid
wait $watch_pid || fail "watch --run ended with status $?"
watch_pid=
kill -0 "$second" 2>/dev/null && fail "the player outlived watch"
echo "all passed"
