#!/usr/bin/env bash
# Installs and builds Morvind, writes a demo congregation into demo/ and
# starts the program there. Without a display it says how to run it under
# xvfb-run and prints the demo congregation's cards into a PDF instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVIND_BUILD_DIR:-$root/build}
demo=${MORVIND_DEMO_DIR:-$root/demo}

"$root/scripts/setup.sh"
"$root/scripts/build.sh"
"$build/bin/morvind-make-demo" "$demo"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no display here, so the window can't be shown."
  echo "To see it on a virtual display, run:  xvfb-run -a scripts/demo.sh"
  pdf="$demo/demo-cards.pdf"
  "$build/bin/morvind-print" --data "$demo" --all --pdf "$pdf"
  echo "The demo congregation's cards are printed into $pdf"
  exit 0
fi

cd "$demo"
exec "$build/bin/morvind"
