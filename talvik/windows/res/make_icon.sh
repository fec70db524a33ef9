#!/bin/sh
# Draws the program icon (a white trace on black) with ImageMagick.
cd "$(dirname "$0")" && convert -size 32x32 xc:black -stroke white -fill none \
  -draw "polyline 0,16 4,16 6,6 8,26 10,10 12,22 14,16 18,16 20,12 22,20 24,16 31,16" \
  -define icon:auto-resize=32,16 talvik.ico
