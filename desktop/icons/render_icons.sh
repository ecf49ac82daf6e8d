#!/bin/sh
# Renders the application icon's PNG sizes from its SVG; run it again after changing the SVG and
# commit the PNGs it writes (the build installs them as they are, so it needs no SVG renderer).
set -eu
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  mkdir -p "hicolor/${size}x${size}"
  rsvg-convert --width "$size" --height "$size" --output "hicolor/${size}x${size}/org.quillet.Quillet.png" \
    org.quillet.Quillet.svg
done
