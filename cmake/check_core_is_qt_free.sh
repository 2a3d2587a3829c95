#!/usr/bin/env bash
# Fails when a core source (anything under src/ outside a qt/ or toolkit/
# folder) includes a Qt header.
set -u
src=$1
hits=$(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) \
         -not -path '*/qt/*' -not -path '*/toolkit/*' -not -name 'main.cpp' -print0 |
       xargs -0 grep -n -E '^\s*#\s*include\s*[<"](Q[A-Za-z]|Qt[A-Za-z]*/)' 2>/dev/null)
if [ -n "$hits" ]; then
  echo "error: Qt header included in the core:" >&2
  echo "$hits" >&2
  exit 1
fi
exit 0
