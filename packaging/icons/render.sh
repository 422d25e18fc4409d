#!/usr/bin/env bash
# Renders the PNG sizes of the icon from lanzhou-haolu.svg (needs rsvg-convert
# from librsvg2-bin). The PNGs are kept in the repository so that building and
# packaging need no SVG renderer; run this again after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" lanzhou-haolu.svg -o "lanzhou-haolu-$size.png"
done
