#!/usr/bin/env bash
# Draws the adjustment dialog's page diagram, pagediagram.png beside this
# script: a 160 x 190 two-colour page outline with six empty boxes in two
# columns of three, a sketch of a printed form. Run it again only to change
# the picture; the PNG is kept in the tree.
set -euo pipefail
cd "$(dirname "$0")"
boxes=()
for top in 24 76 128; do
    for left in 16 86; do
        boxes+=(-draw "rectangle $left,$top $((left + 57)),$((top + 40))")
    done
done
/usr/bin/convert -size 160x190 xc:white +antialias -fill none -stroke black -strokewidth 1 \
    -draw "rectangle 0,0 159,189" "${boxes[@]}" \
    -type bilevel -define png:bit-depth=1 -strip "${1:-pagediagram.png}"
