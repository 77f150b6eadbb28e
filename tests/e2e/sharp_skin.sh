# SPDX-License-Identifier: GPL-3.0-or-later
# The skin the sharp-art tests play (sourced by tests/e2e/demo_sharp_2x.sh,
# tests/e2e-windows/screen_scale_media_keys.sh and tests/web/web_player_test.sh).
# make_sharp_skin TARNEL_SKIN DIR WIDTH HEIGHT: builds in DIR a WIDTH by HEIGHT skin whose one
# page's background, a flat grey picture, has art at twice the size: a checkerboard of single
# pixels. Its shape (from the picture) is the whole window.
make_sharp_skin() {
  local tool=$1 dir=$2 width=$3 height=$4
  mkdir -p "$dir"
  convert -size "${width}x$height" xc:'#808080' "$dir/bg.png"
  convert -size "$((2 * width))x$((2 * height))" pattern:gray50 -fill '#204060' -opaque black \
    -fill '#c0a080' -opaque white "$dir/bg2.png"
  cat > "$dir/skin.toml" <<TOML
[root]
title = "sharp"
width = $width
height = $height

[[chunk]]
type = "start_page"
page = "p"

[[chunk]]
type = "page"
name = "p"
background = "Data\\\\bg.bmp"

[[file]]
name = "Data\\\\bg.bmp"
path = "bg.png"
format = "bmp24"
source_2x = "bg2.png"

[[file]]
name = "Data\\\\panel.rgn"
mask_from = "bg.png"
TOML
  "$tool" build "$dir/skin.toml" -o "$dir" > /dev/null
}
# render_sharp_reference TARNEL_SKIN DIR REFERENCE: the tool's drawing of that page at scale 2,
# twice the skin's size.
render_sharp_reference() {
  "$1" render "$2" --page p --scale 2 -o "$3" > /dev/null || fail "the sharp skin does not render"
}
# Inside the square window shape a 600x510 skin without an intro page starts with, at scale 2.
sharp_inside=400x400+300+300
