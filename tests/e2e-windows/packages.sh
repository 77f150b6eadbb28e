#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The zip and the installer under Wine and Xvfb, as a user would take them:
#   - the zip's vorlunde.exe, started in its own folder (as a double click does), plays the
#     demo skin beside it; the zip holds the licences
#   - the installer, silent (/S): the files under %LOCALAPPDATA%\Programs\vorlunde, the
#     Start-menu entry, the uninstaller in the user's apps; the entry starts the player on
#     the demo
#   - the uninstaller, silent: no file, entry or registry key is left
# Usage: packages.sh PLAYER_EXE PLUGIN_DLL DEMO_SKIN ZIP SETUP_EXE
set -euo pipefail
source "$(dirname "$0")/wine_common.sh"
zip=$(realpath "$4")
setup=$(realpath "$5")
start_display
panel_shape() { [[ $(xwininfo -shape -id "$window" | awk '/Window shape extents:/ { print $4 }') == 588x502+6+4 ]]; }
window_gone() { ! xwininfo -id "$window" > /dev/null 2>&1; }

echo "== the zip: vorlunde.exe in its own folder plays the demo"
unzip -q "$zip" -d "$work/unzipped"
unzipped=$(find "$work/unzipped" -mindepth 1 -maxdepth 1 -type d)
for file in licences/vorlunde.txt licences/libopenmpt.txt licences/mingw-w64.txt skins/demo/tarnel.cfg; do
  [[ -f $unzipped/$file ]] || fail "the zip lacks $file"
done
player=$unzipped/vorlunde.exe
launch "$unzipped"
window=$(find_window vorlunde) || fail "no window from the zip's vorlunde.exe"
wait_until "the zip's player did not show the demo's day page" 20 panel_shape
xdotool key --window "$window" alt+F4
wait_exit 20
[[ $status == 0 ]] || fail "exit status $status"

echo "== the installer, silent"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\vorlunde'
"$wine" "$setup" /S || fail "the installer failed"
unix_path() { "$wine" winepath -u "$1" 2>/dev/null; }
windows_variable() { "$wine" cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
installed=$(unix_path "$(windows_variable LOCALAPPDATA)\\Programs\\vorlunde")
entry=$(unix_path "$(windows_variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\vorlunde.lnk")
for file in vorlunde.exe tarnel-skin.exe uninstall.exe skins/demo/tarnel.cfg skins/demo/bar_scope.so licences/vorlunde.txt; do
  [[ -f $installed/$file ]] || fail "not installed: $file"
done
[[ -f $entry ]] || fail "no Start-menu entry"
"$wine" reg query "$uninstall_key" /v UninstallString 2>/dev/null | grep -q 'uninstall.exe' \
  || fail "the uninstaller is not among the user's apps"

echo "== the Start-menu entry starts the player on the demo"
(cd "$work" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" "$wine" start "$("$wine" winepath -w "$entry" 2>/dev/null)") \
  2> "$work/player.err"
window=$(find_window vorlunde) || fail "no window from the Start-menu entry"
wait_until "the installed player did not show the demo's day page" 20 panel_shape
xdotool key --window "$window" alt+F4
wait_until "the installed player did not end" 20 window_gone

echo "== the uninstaller, silent, leaves nothing"
"$wine" "$installed/uninstall.exe" /S || fail "the uninstaller failed"
# It runs on from a copy in the temporary folder, so that it can delete itself.
gone() { [[ ! -e $installed && ! -e $entry ]] && ! "$wine" reg query "$uninstall_key" > /dev/null 2>&1; }
wait_until "the uninstaller left something behind" 30 gone
echo "PASS"
