#!/usr/bin/env bash
# Renders the icon's PNG sizes from its SVG source into a hicolor tree:
#   render-icons.sh ICON.svg OUTDIR SIZE...
# writes OUTDIR/<SIZE>x<SIZE>/apps/<name of ICON>.png for every SIZE.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
if [ $# -lt 3 ]; then
  echo "usage: $0 ICON.svg OUTDIR SIZE..." >&2
  exit 2
fi
svg=$1
out=$2
shift 2
name=$(basename "$svg" .svg)
for size in "$@"; do
  dir="$out/${size}x${size}/apps"
  mkdir -p "$dir"
  rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio \
    --output "$dir/$name.png.tmp" "$svg"
  mv "$dir/$name.png.tmp" "$dir/$name.png"
done
