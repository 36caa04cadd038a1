#!/bin/sh
# Draws the word book's stars of the dictionary page's result rows with ImageMagick (Debian's
# imagemagick): star_on.gif, an entry in the word book, and star_off.gif, one that is not. Each
# is 14 x 14, drawn at eight times the size and reduced with a box filter, its edges blended
# against the results' background tone (as make_pictures.py blends the speaker), which is then
# the transparent colour. Run it from anywhere; the pictures land beside it.
set -eu
cd "$(dirname "$0")"
background='#F2F6FA'
# A five-pointed star about the centre of a 112-pixel square: outer radius 52, inner 21.
points=$(awk 'BEGIN {
  pi = atan2(0, -1)
  for (i = 0; i < 10; i++) {
    r = (i % 2 == 0) ? 52 : 21
    a = -pi / 2 + i * pi / 5
    printf "%.1f,%.1f ", 56 + r * cos(a), 58 + r * sin(a)
  }
}')
draw() {
  convert -size 112x112 "xc:$background" -fill "$1" -stroke "$2" -strokewidth "$3" \
    -draw "polygon $points" -filter box -resize 14x14 \
    -transparent "$background" "$4"
}
draw '#F5B400' '#B07800' 7 star_on.gif
draw "$background" '#7A8AA6' 9 star_off.gif
