# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by tests/e2e/demo_sharp_2x.sh and tests/web/web_player_test.sh.
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
