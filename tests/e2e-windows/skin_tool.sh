#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tarnel-skin.exe under Wine on the demo skin, measured against the Linux skin tool:
#   - dump prints the same lines
#   - check loads the skin with its plug-in DLL and exits 0; on a copy whose tarnel.dat lacks
#     the day page's picture it exits 1 with the player's message
#   - render draws the day page ("dzien") to a PNG of the window's size, 600x510 (its text is
#     drawn by GDI, not SDL_ttf, so the pixels are not compared)
#   - the Linux tool's `package --windows` makes a zip whose vorlunde.exe (the one built beside
#     this tarnel-skin.exe), started in its own unpacked folder, opens the skin's window and
#     plays its music
# Usage: skin_tool.sh TOOL_EXE PLUGIN_DLL DEMO_SKIN TARNEL_SKIN
set -euo pipefail
source "$(dirname "$0")/wine_common.sh"
tool_exe=$player
tool=$4
start_display
windows_tool() { "$wine" "$tool_exe" "$@" 2> "$work/tool.err" | tr -d '\r'; }

echo "== dump"
"$tool" dump "$skin/tarnel.cfg" > "$work/linux.dump"
windows_tool dump "$skin/tarnel.cfg" > "$work/windows.dump" || fail "dump failed: $(cat "$work/tool.err")"
diff "$work/linux.dump" "$work/windows.dump" > "$work/dump.diff" || fail "dump differs: $(head -5 "$work/dump.diff")"

echo "== check"
windows_tool check "$skin" > /dev/null || fail "check failed: $(cat "$work/tool.err")"
source "$(dirname "$0")/../e2e/damaged_copies.sh"
make_damaged_copies
expected="can't find file Data\\dzien.jpg in datafile"
status=0
windows_tool check "$no_day_picture" > /dev/null || status=$?
[[ $status == 1 ]] || fail "check of a damaged skin: status $status, not 1"
[[ $(tr -d '\r' < "$work/tool.err") == "$expected" ]] || fail "check of a damaged skin: $(cat "$work/tool.err"), not $expected"

echo "== render"
windows_tool render "$skin" --page dzien -o "$work/dzien.png" > /dev/null || fail "render failed: $(cat "$work/tool.err")"
[[ $(identify -format '%wx%h' "$work/dzien.png") == 600x510 ]] || fail "render: $(identify "$work/dzien.png")"

echo "== package --windows"
"$tool" package "$skin" --windows --name packed --player "$(dirname "$tool_exe")/../../src/vorlunde.exe" \
  -o "$work/packed.zip" > /dev/null || fail "package failed"
unzip -q "$work/packed.zip" -d "$work/unpacked"
for file in vorlunde.exe tarnel.cfg tarnel.dat bar_scope.so LICENSE.txt README.txt; do
  [[ -f $work/unpacked/packed/$file ]] || fail "the zip lacks packed/$file"
done
player=$work/unpacked/packed/vorlunde.exe
launch "$work/unpacked/packed"
find_window vorlunde > /dev/null || fail "the packed player shows no window"
wait_until "no sound from the packed skin" 20 loud
echo "PASS"
