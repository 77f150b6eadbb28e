# SPDX-License-Identifier: GPL-3.0-or-later
# The skin the sharp-art tests play (sourced, by the Linux and the Windows scripts).
#
# make_sharp_skin TOOL DIR REFERENCE: builds in DIR, with the skin tool TOOL, a skin titled
# "sharp" of one 600x510 page whose background is flat grey and has art at twice the size, a
# checkerboard of single pixels; writes `TOOL render --scale 2` of that page to REFERENCE.
# On failure it calls the caller's `fail` with one line.
make_sharp_skin() {
  local tool=$1 dir=$2 reference=$3
  mkdir -p "$dir"
  convert -size 600x510 xc:'#808080' "$dir/bg.png"
  convert -size 1200x1020 pattern:gray50 -fill '#204060' -opaque black -fill '#c0a080' -opaque white "$dir/bg2.png"
  cat > "$dir/skin.toml" <<'TOML'
[root]
title = "sharp"
width = 600
height = 510

[[chunk]]
type = "start_page"
page = "p"

[[chunk]]
type = "page"
name = "p"
background = "Data\\bg.bmp"

[[file]]
name = "Data\\bg.bmp"
path = "bg.png"
format = "bmp24"
source_2x = "bg2.png"

[[file]]
name = "Data\\panel.rgn"
mask_from = "bg.png"
TOML
  "$tool" build "$dir/skin.toml" -o "$dir" > /dev/null || fail "the sharp skin does not build"
  "$tool" render "$dir" --page p --scale 2 -o "$reference" > /dev/null || fail "the sharp skin does not render"
  [[ $(identify -format %wx%h "$reference") == 1200x1020 ]] || fail "the tool's drawing at scale 2 is not 1200x1020"
}
# Inside the square window shape a skin without an intro page starts with, at scale 2.
sharp_inside=400x400+300+300
