# SPDX-License-Identifier: GPL-3.0-or-later
# Damaged copies of a skin, for the end-to-end tests of both players. Source it, with $skin
# (the intact skin), $work (a scratch folder), $tool (tarnel-skin) and a `fail` function set;
# make_damaged_copies then sets:
#   header_cut       tarnel.cfg cut inside its root header
#   pages_cut        tarnel.cfg cut where its first page begins (at byte $first_page)
#   no_day_picture   tarnel.dat repacked without Data\dzien.jpg

damaged_copy() {
  cp -r "$skin" "$work/$1"
  echo "$work/$1"
}

make_damaged_copies() {
  header_cut=$(damaged_copy header_cut)
  head -c 1 "$skin/tarnel.cfg" > "$header_cut/tarnel.cfg"

  pages_cut=$(damaged_copy pages_cut)
  first_page=$("$tool" dump "$skin/tarnel.cfg" | awk '/^page / && !at { at = $NF } END { print at }')
  [[ $first_page =~ ^[0-9]+$ ]] || fail "no page in the demo's tarnel.cfg"
  head -c "$first_page" "$skin/tarnel.cfg" > "$pages_cut/tarnel.cfg"

  no_day_picture=$(damaged_copy no_day_picture)
  "$tool" unpack "$skin/tarnel.dat" "$work/unpacked" > /dev/null
  rm "$work/unpacked/Data/dzien.jpg"
  "$tool" pack "$work/unpacked" "$no_day_picture/tarnel.dat" > /dev/null
}
