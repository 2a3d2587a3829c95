#!/usr/bin/env bash
# Configures and builds Morvind into build/ (Release with -Werror).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVIND_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DMORVIND_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
