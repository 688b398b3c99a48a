#!/bin/sh
# Draws the catalogue's splash picture: make_splash.sh OUTPUT.png
set -e
out=$1
if ! convert -size 400x240 gradient:'#1d2b53'-'#7e2553' \
      -stroke '#d8c9a0aa' -strokewidth 1 \
      -draw 'line 40,168 360,168' -draw 'line 40,176 360,176' -draw 'line 40,184 360,184' \
      -draw 'line 40,192 360,192' -draw 'line 40,200 360,200' -stroke none \
      -gravity center -font DejaVu-Serif-Bold -pointsize 40 -fill '#f5e6c8' \
      -annotate +0-50 'Orvanta Online' \
      -font DejaVu-Sans -pointsize 16 -fill '#e0d0b0' -annotate +0-6 'Classical music catalogue' \
      -pointsize 12 -annotate +0+100 'Loading the catalogue...' \
      "$out" 2>/dev/null; then
    # Without the fonts the picture keeps its colours and lines.
    convert -size 400x240 gradient:'#1d2b53'-'#7e2553' "$out"
fi
