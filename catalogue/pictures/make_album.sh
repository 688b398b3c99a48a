#!/bin/sh
# Draws an album picture: make_album.sh OUTPUT COMPOSER COMPOSITION TOP_COLOUR BOTTOM_COLOUR
# The file type follows the output's extension (.bmp, .jpg, .gif, .png).
set -e
out=$1; composer=$2; title=$3; top=$4; bottom=$5
disc() {
    convert -size 180x180 gradient:"$top"-"$bottom" \
        -fill '#00000033' -stroke none -draw "circle 90,92 90,138" \
        -fill none -stroke '#d8c9a0' -strokewidth 2 -draw "circle 90,92 90,138" \
        -fill '#d8c9a0' -stroke none -draw "circle 90,92 90,100" "$@"
}
if ! disc \
      \( -size 164x40 -background none -fill '#f5e6c8' -font DejaVu-Serif-Bold -pointsize 15 \
         -gravity center caption:"$composer" \) -gravity north -geometry +0+4 -composite \
      \( -size 164x36 -background none -fill '#f0e0c0' -font DejaVu-Serif-Italic -pointsize 12 \
         -gravity center caption:"$title" \) -gravity south -geometry +0+4 -composite \
      -type TrueColor "$out" 2>/dev/null; then
    # Without the fonts the picture keeps its colours and disc.
    disc -type TrueColor "$out"
fi
