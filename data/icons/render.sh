#!/usr/bin/env bash
# Renders the program's icon from its SVG into the PNG sizes installed in the
# hicolor theme (and used as the window icon). Run after changing the SVG and
# commit the PNGs with it: the build does not need rsvg-convert.
set -euo pipefail
cd "$(dirname "$0")"
for size in 48 256; do
    mkdir -p "hicolor/${size}x${size}"
    rsvg-convert -w "$size" -h "$size" jp.kavenor.ocrprint.svg -o "hicolor/${size}x${size}/jp.kavenor.ocrprint.png"
done
