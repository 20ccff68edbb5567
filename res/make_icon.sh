#!/usr/bin/env bash
# Draws pelox.ico (16 to 256 pixels) with ImageMagick: a blue tile with a reader's radio waves
# reaching out from an orange tag. Run from anywhere; rewrites res/pelox.ico.
set -eu
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# wave <radius> <width>: a filled ring segment of 96 degrees around the tag's centre (84,128),
# with rounded ends, as MVG. Filled shapes rather than stroked arcs: they render the same in
# every ImageMagick version.
wave() {
  awk -v r="$1" -v w="$2" 'BEGIN {
    pi = 3.14159265; n = 24; a0 = -48 * pi / 180; a1 = 48 * pi / 180; ro = r + w / 2; ri = r - w / 2
    printf " polygon"
    for (i = 0; i <= n; i++) { a = a0 + (a1 - a0) * i / n; printf " %.2f,%.2f", 84 + ro * cos(a), 128 + ro * sin(a) }
    for (i = n; i >= 0; i--) { a = a0 + (a1 - a0) * i / n; printf " %.2f,%.2f", 84 + ri * cos(a), 128 + ri * sin(a) }
    for (e = 0; e < 2; e++) {
      a = e ? a1 : a0; x = 84 + r * cos(a); y = 128 + r * sin(a)
      printf " circle %.2f,%.2f %.2f,%.2f", x, y, x + w / 2, y
    }
  }'
}

# draw <size> <wave width> <wave radii...>: one image drawn in a 256-unit square scaled to the
# size, so the small sizes are rendered from the shapes rather than shrunk from a large picture.
draw() {
  local size=$1 width=$2; shift 2
  local k waves="" r
  k=$(awk -v s="$size" 'BEGIN { printf "%.5f", s / 256 }')
  for r in "$@"; do waves+=$(wave "$r" "$width"); done
  convert -size "${size}x${size}" xc:none \
    -draw "scale $k,$k fill #1d5c8c stroke none roundrectangle 6,6 250,250 44,44" \
    -draw "scale $k,$k fill #2a7ab8 stroke none roundrectangle 6,6 250,150 44,44" \
    -draw "scale $k,$k fill #1d5c8c stroke none rectangle 6,110 250,170" \
    -draw "scale $k,$k fill white stroke none $waves" \
    -draw "scale $k,$k fill white stroke none roundrectangle 30,94 98,162 14,14" \
    -draw "scale $k,$k fill #f5a623 stroke none roundrectangle 38,102 90,154 8,8" \
    "PNG32:$work/$size.png"
}

# Fewer, wider waves at the small sizes, where thin lines blur away.
draw 16 32 72 128
draw 24 30 72 128
draw 32 22 64 102 140
draw 48 20 64 102 140
draw 256 20 64 102 140
convert "$work/16.png" "$work/24.png" "$work/32.png" "$work/48.png" "$work/256.png" pelox.ico
identify pelox.ico
