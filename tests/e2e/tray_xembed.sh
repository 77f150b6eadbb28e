#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The XEmbed tray icon against trayer under Xvfb: the icon docks into trayer's panel and shows
# the program's icon, a left click on it gives a left click event, a right click pops the
# menu right-aligned at the pointer, choosing its first and third entries gives their ids,
# a press outside closes it without a choice, and ending the program undocks the icon; when
# the tray itself ends, the program keeps running and leaves no stray icon window behind.
# Without any tray the probe reports "none" and shows no window.
# Usage: tray_xembed.sh TRAY_PROBE
probe=$1
source "$(dirname "$0")/tray_common.sh"

echo "== no tray: nothing shown"
start_probe "$probe"
wait_line "ready none"
[[ $(xwininfo -root -children | grep -c '^ *0x') == 0 ]] || fail "windows without a tray: $(xwininfo -root -children)"
kill "$probe_pid"

echo "== trayer: docking"
trayer --edge top --align right --widthtype pixel --width 100 --heighttype pixel --height 32 2>/dev/null &
trayer_pid=$!
pids+=("$trayer_pid")
wait_until "no trayer panel" 10 tree_has panel
start_probe "$probe"
wait_line "ready xembed"
icon_line=
for _ in $(seq 100); do
  # The icon sits in trayer's socket window, itself inside the panel.
  icon_line=$(xwininfo -root -tree | sed -n '/"panel"/,$p' | grep '"vorlunde"' || true)
  [[ -n $icon_line ]] && break
  sleep 0.1
done
[[ -n $icon_line ]] || fail "icon not docked: $(xwininfo -root -tree)"
icon=$(awk '{print $1}' <<<"$icon_line")
[[ $(xwininfo -id "$icon" | grep -c 'Map State: IsViewable') == 1 ]] || fail "icon not mapped"
read -r x y w h < <(xwininfo -id "$icon" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
  /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}')
(( w >= 16 && h >= 16 )) || fail "icon size ${w}x${h}"
colours=$(import -window "$icon" png:- | convert png:- -format %k info:)
(( colours >= 3 )) || fail "icon not drawn ($colours colours)"

echo "== clicks"
cx=$((x + w / 2)); cy=$((y + h / 2))
xdotool mousemove "$cx" "$cy" click 1
wait_line "click left"

# Opens the menu from the icon and sets its geometry: mx my mw mh.
open_menu() {
  xdotool mousemove "$cx" "$cy" click 3
  local menu=
  for _ in $(seq 100); do
    menu=$(xwininfo -root -children | grep '"tray menu"' | awk '{print $1}' || true)
    [[ -n $menu ]] && break
    sleep 0.1
  done
  [[ -n $menu ]] || fail "no menu window"
  read -r mx my mw mh < <(xwininfo -id "$menu" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}')
}

open_menu
wait_line "click right"
# The outer right edge (a 1-pixel border on either side of the width) at the pointer, the top at it.
(( mx + mw + 2 == cx )) || fail "menu not right-aligned: x $mx width $mw pointer $cx"
(( my == cy )) || fail "menu top $my pointer $cy"
row=$(( (mh - 6) / 3 ))
xdotool mousemove $((mx + mw / 2)) $((my + 4 + row / 2)) click 1
wait_line "choice 0xfffc"
xwininfo -root -children | grep -q '"tray menu"' && fail "menu still open after the choice"

open_menu
xdotool mousemove $((mx + mw / 2)) $((my + 4 + 2 * row + row / 2)) click 1
wait_line "choice 0x1002"

open_menu
xdotool mousemove 100 500 click 1
wait_until "menu open after a press outside" 5 tree_lacks "tray menu"
[[ $(grep -c '^choice' "$work/probe.out") == 2 ]] || fail "a choice from the press outside"

echo "== undocking"
kill "$probe_pid"
wait_until "icon still docked" 5 tree_lacks vorlunde

echo "== the tray ends"
start_probe "$probe"
wait_line "ready xembed"
wait_until "icon not docked again" 10 tree_has vorlunde
kill "$trayer_pid"
wait_until "trayer's panel stayed" 5 tree_lacks panel
wait_until "stray icon window" 5 tree_lacks vorlunde
kill -0 "$probe_pid" 2>/dev/null || fail "the program ended with the tray"
echo "all passed"
