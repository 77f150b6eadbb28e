#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: cpack builds it from the finished build; its dependencies come from the
# binaries; unpacked into a scratch folder, its desktop entry and metainfo validate, and the
# unpacked player shows its window under Xvfb on the unpacked demo skin, named by its folder
# and, as the desktop entry starts it, by its name under the unpacked share folder.
# Usage: package.sh BUILD_DIR
set -euo pipefail
build=$1
source "$(dirname "$0")/xvfb.sh"

echo "== cpack -G DEB"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" > "$work/cpack.log" 2>&1 ||
  fail "cpack: $(tail -20 "$work/cpack.log")"
deb=$(ls "$work"/package/vorlunde_*.deb)
depends=$(dpkg-deb --field "$deb" Depends)
for library in libsdl2 libopenmpt libdbus; do
  grep -q "$library" <<<"$depends" || fail "no $library among the dependencies: $depends"
done
root=$work/root
dpkg-deb -x "$deb" "$root"
for file in usr/bin/vorlunde usr/bin/tarnel-skin usr/include/vorlunde/plugin.h usr/share/pkgconfig/vorlunde-plugin.pc \
            usr/share/vorlunde/skins/demo/tarnel.cfg usr/share/vorlunde/skins/demo/bar_scope.so \
            usr/share/man/man1/vorlunde.1 usr/share/man/man1/tarnel-skin.1 \
            usr/share/icons/hicolor/scalable/apps/org.vorlunde.vorlunde.svg; do
  [[ -e $root/$file ]] || fail "not in the package: $file"
done

echo "== desktop entry and metainfo"
desktop=$root/usr/share/applications/org.vorlunde.vorlunde.desktop
grep -qx 'Categories=AudioVideo;Audio;Player;' "$desktop" || fail "categories: $(cat "$desktop")"
if command -v desktop-file-validate > /dev/null; then desktop-file-validate "$desktop"; fi
if command -v appstreamcli > /dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/org.vorlunde.vorlunde.metainfo.xml" > /dev/null
fi

start_xvfb
export SDL_AUDIODRIVER=dummy TMPDIR=$work
skin_argument=$(sed -n 's/^Exec=vorlunde //p' "$desktop")
for argument in "$root/usr/share/vorlunde/skins/demo" "$skin_argument"; do
  echo "== the unpacked player: vorlunde $argument"
  (cd "$work" && XDG_DATA_HOME=$work/none XDG_DATA_DIRS=$root/usr/share exec "$root/usr/bin/vorlunde" "$argument") \
    2> "$work/player.err" &
  player_pid=$!
  find_window vorlunde > /dev/null || fail "no window: $(cat "$work/player.err")"
  kill -TERM "$player_pid"
  wait_player
  [[ $status == 0 ]] || fail "exit status $status: $(cat "$work/player.err")"
done
echo "all passed"
