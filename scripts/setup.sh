#!/usr/bin/env bash
# Installs what Morvind needs from Debian's packages. Packages that are
# already installed are skipped, so a second run only checks and returns.
set -euo pipefail

packages=(
  build-essential cmake
  qt6-base-dev              # Widgets, PrintSupport, Test
  qt6-translations-l10n     # German texts of Qt's own dialogs and buttons
  libcups2-dev              # a list print reaches the CUPS queue only when complete
  fonts-liberation          # metric twins of Arial and Times New Roman
  libgtest-dev libgmock-dev googletest
  libbenchmark-dev
  poppler-utils             # pdftotext/pdftoppm for the PDF checks
  libpoppler-qt6-dev        # fills, saves and renders the congregation's own PDF form
  pkgconf                   # pkg-config: how CMake finds Poppler's Qt 6 library
  qpdf                      # the tests' encrypted copy of the test form
  libqpdf-dev               # reads, checks, repairs, flattens and merges PDF files
  libharfbuzz-dev           # subsets the font added for names the form's font lacks
  xvfb xauth                # a virtual display for screenshots
  librsvg2-bin              # rsvg-convert: the icon's PNG sizes from its SVG
  desktop-file-utils        # desktop-file-validate, for the install tree check
  appstream                 # appstreamcli validate, for the install tree check
  groff-base man-db         # the manual pages' check without warnings
  file                      # the icon sizes' check; CPack finds the programs with it
  dpkg-dev                  # dpkg-shlibdeps: the package's library dependencies
  lintian                   # the Debian package's check
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
