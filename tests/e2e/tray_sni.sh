#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The StatusNotifierItem against status-notifier-watcher on this private session bus (an X
# tray runs too: the watcher is preferred): the item registers with the watcher, shows the
# tip as its title and the program's 32 x 32 icon, Activate gives a left click event and
# ContextMenu a right one, the exported menu lists "Przywróć" (UTF-8) first and then the
# skin's items with access-key underscores doubled, a "clicked" event on an item gives that
# item's id, an unknown item is refused, and the item leaves the watcher when the program ends.
# Usage: tray_sni.sh TRAY_PROBE
probe=$1
source "$(dirname "$0")/tray_common.sh"

registered() {
  busctl --user get-property org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems
}

trayer --edge top --align right --widthtype pixel --width 100 --heighttype pixel --height 32 2>/dev/null &
pids+=($!)
status-notifier-watcher >/dev/null 2>&1 &
pids+=($!)
watcher_up() { busctl --user status org.kde.StatusNotifierWatcher >/dev/null 2>&1; }
wait_until "no watcher on the bus" 10 watcher_up
wait_until "no trayer panel" 10 tree_has panel

echo "== registration"
start_probe "$probe"
wait_line "ready status_notifier"
item=org.kde.StatusNotifierItem-$probe_pid-1
is_registered() { registered | grep -qF "\"$item\""; }
not_registered() { ! is_registered; }
wait_until "not registered" 5 is_registered
xwininfo -root -tree | grep -q '"vorlunde"' && fail "also docked as an XEmbed icon"

item_property() { busctl --user get-property "$item" /StatusNotifierItem org.kde.StatusNotifierItem "$1"; }
[[ $(item_property Title) == 's "vorlunde"' ]] || fail "title: $(item_property Title)"
[[ $(item_property Menu) == 'o "/MenuBar"' ]] || fail "menu path: $(item_property Menu)"
[[ $(item_property IconPixmap) == 'a(iiay) 1 32 32 4096 '* ]] || fail "icon: $(item_property IconPixmap | cut -c1-40)"

echo "== activation"
busctl --user call "$item" /StatusNotifierItem org.kde.StatusNotifierItem Activate ii 10 10
wait_line "click left"
busctl --user call "$item" /StatusNotifierItem org.kde.StatusNotifierItem ContextMenu ii 10 10
wait_line "click right"

echo "== menu"
layout=$(busctl --user --json=short call "$item" /MenuBar com.canonical.dbusmenu GetLayout iias -- 0 -1 0)
labels=$(grep -o '"label":{"type":"s","data":"[^"]*"}' <<<"$layout" | sed 's/.*"data":"\(.*\)"}/\1/' | paste -sd '|')
[[ $labels == 'Przywróć|Play__it|Głośniej' ]] || fail "menu labels: $labels"
busctl --user call "$item" /MenuBar com.canonical.dbusmenu Event isvu 3 clicked s "" 0
wait_line "choice 0x1002"
busctl --user call "$item" /MenuBar com.canonical.dbusmenu Event isvu 1 clicked s "" 0
wait_line "choice 0xfffc"
busctl --user call "$item" /MenuBar com.canonical.dbusmenu Event isvu 9 clicked s "" 0 2>/dev/null &&
  fail "an event on an unknown item was accepted"
[[ $(grep -c '^choice' "$work/probe.out") == 2 ]] || fail "unexpected choices"

echo "== leaving"
kill "$probe_pid"
wait_until "still registered" 5 not_registered
echo "all passed"
