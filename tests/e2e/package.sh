#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: cpack builds it from the finished build; lintian finds no error or
# warning in it; its dependencies come from the binaries; the plug-in is in it once; the
# manual pages name every command and option the programs' --help lists. Unpacked into a
# scratch folder, its desktop entry and metainfo validate, and the unpacked player shows its
# window under Xvfb on the unpacked demo skin (whose plug-in comes from the installed plug-in
# folder): named by its folder; as the desktop entry starts it, by its name under the
# unpacked share folder; and with no argument in an empty folder, found through the data
# folders or else beside the program. With no skin anywhere it stops on the missing
# configuration file.
# Usage: package.sh BUILD_DIR
set -euo pipefail
build=$1
source "$(dirname "$0")/xvfb.sh"

echo "== cpack -G DEB"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" > "$work/cpack.log" 2>&1 ||
  fail "cpack: $(tail -20 "$work/cpack.log")"
deb=$(ls "$work"/package/vorlunde_*.deb)

echo "== lintian"
lintian --fail-on error,warning "$deb" > "$work/lintian.log" 2>&1 || fail "lintian: $(cat "$work/lintian.log")"

depends=$(dpkg-deb --field "$deb" Depends)
for library in libsdl2 libopenmpt libdbus; do
  grep -q "$library" <<<"$depends" || fail "no $library among the dependencies: $depends"
done
root=$work/root
dpkg-deb -x "$deb" "$root"
for file in usr/bin/vorlunde usr/bin/tarnel-skin usr/include/vorlunde/plugin.h usr/share/pkgconfig/vorlunde-plugin.pc \
            usr/share/vorlunde/skins/demo/tarnel.cfg usr/lib/vorlunde/plugins/bar_scope.so \
            usr/share/man/man1/vorlunde.1.gz usr/share/man/man1/tarnel-skin.1.gz \
            usr/share/doc/vorlunde/copyright usr/share/doc/vorlunde/changelog.gz \
            usr/share/doc/vorlunde/README.md usr/share/doc/vorlunde/docs/skin-manifest.md \
            usr/share/icons/hicolor/scalable/apps/org.vorlunde.vorlunde.svg; do
  [[ -e $root/$file ]] || fail "not in the package: $file"
done
plugins=$(find "$root" -name 'bar_scope*')
[[ $(wc -l <<<"$plugins") == 1 ]] || fail "the plug-in more than once: $plugins"

echo "== manual pages against --help"
# The options a --help text lists (-o, --output, ...), one a line.
options_of() { grep -oE -- '(^|[][ ,])--?[a-zA-Z][a-zA-Z0-9-]*' | sed 's/^[][ ,]//' | sort -u; }
# The subcommands a --help text lists under its "SUBCOMMANDS:" heading, one a line.
commands_of() { awk 'tolower($0) ~ /^subcommands:/ {on = 1; next} on && /^ +[a-z]/ {print $1; next} on {on = 0}'; }
# Fails unless the manual page $1 names each of the words on standard input.
names_all() {
  local page=$1 text word
  text=$(MANWIDTH=1000 man --nh --nj -l "$page" 2>/dev/null)
  while read -r word; do
    grep -qE -- "(^|[^a-zA-Z0-9-])$word([^a-zA-Z0-9-]|\$)" <<<"$text" ||
      fail "$(basename "$page") does not name $word"
  done
}
man_dir=$root/usr/share/man/man1
for program in vorlunde tarnel-skin; do
  "$root/usr/bin/$program" --help | options_of | names_all "$man_dir/$program.1.gz"
  for command in $("$root/usr/bin/$program" --help | commands_of); do
    echo "$program $command" | sed 's/ /\\s+/' | names_all "$man_dir/$program.1.gz"
    "$root/usr/bin/$program" "$command" --help | options_of | names_all "$man_dir/$program.1.gz"
  done
done
[[ -n $("$root/usr/bin/tarnel-skin" --help | commands_of) ]] || fail "no commands read from tarnel-skin --help"

echo "== desktop entry and metainfo"
desktop=$root/usr/share/applications/org.vorlunde.vorlunde.desktop
grep -qx 'Categories=AudioVideo;Audio;Player;' "$desktop" || fail "categories: $(cat "$desktop")"
if command -v desktop-file-validate > /dev/null; then desktop-file-validate "$desktop"; fi
if command -v appstreamcli > /dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/org.vorlunde.vorlunde.metainfo.xml" > /dev/null
fi

start_xvfb
export SDL_AUDIODRIVER=dummy TMPDIR=$work
mkdir "$work/empty"
# Runs the unpacked player in $1 with the data folders $2 and the further arguments.
start_unpacked() {
  local folder=$1 data_dirs=$2
  shift 2
  (cd "$folder" && XDG_DATA_HOME=$work/none XDG_DATA_DIRS=$data_dirs exec "$root/usr/bin/vorlunde" "$@") \
    < /dev/null 2> "$work/player.err" &
  player_pid=$!
}
skin_argument=$(sed -n 's/^Exec=vorlunde //p' "$desktop")
while IFS='|' read -r what data_dirs arguments; do
  echo "== the unpacked player: $what"
  # shellcheck disable=SC2086 # no argument, or one without spaces
  start_unpacked "$work/empty" "$data_dirs" $arguments
  find_window vorlunde > /dev/null || fail "no window: $(cat "$work/player.err")"
  kill -TERM "$player_pid"
  wait_player
  [[ $status == 0 ]] || fail "exit status $status: $(cat "$work/player.err")"
done <<EOF
the skin's folder|$work/none|$root/usr/share/vorlunde/skins/demo
the desktop entry's argument|$root/usr/share|$skin_argument
no argument, the demo in the data folders|$root/usr/share|
no argument, the demo beside the program|$work/none|
EOF

echo "== no skin anywhere: can't open config file"
mkdir -p "$work/alone"
cp "$root/usr/bin/vorlunde" "$work/alone/"
(cd "$work/empty" && XDG_DATA_HOME=$work/none XDG_DATA_DIRS=$work/none exec "$work/alone/vorlunde") 2> "$work/player.err" &
player_pid=$!
for _ in $(seq 100); do grep -q "can't open config file" "$work/player.err" && break; sleep 0.1; done
kill -TERM "$player_pid"
wait_player
[[ $status == 1 ]] && grep -q "can't open config file" "$work/player.err" ||
  fail "status $status: $(cat "$work/player.err")"
echo "all passed"
