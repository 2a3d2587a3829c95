#!/usr/bin/env bash
# Builds the Debian package of Morvind from a Release build:
# dist/morvind_<version>_<architecture>.deb. Install it with
#   sudo apt install ./dist/morvind_<version>_<architecture>.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVIND_BUILD_DIR:-$root/build}
dist=${MORVIND_DIST_DIR:-$root/dist}

"$root/scripts/setup.sh"
"$root/scripts/build.sh"
mkdir -p "$dist"
cpack --config "$build/CPackConfig.cmake" -B "$dist"
# CPack's staging tree is not part of what is handed out.
rm -rf "$dist/_CPack_Packages"
ls -1 "$dist"/morvind_*.deb
