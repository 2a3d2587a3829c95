#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks the tree as a
# distribution would: every file and nothing else, the desktop entry and the
# AppStream data pass their validators, the manual pages render without
# warnings and name every option, no build path is left in the programs,
# and the installed programs run: --version, and the demo congregation
# written by the installed morvind-make-demo printed into a PDF by the
# installed morvind-print, with the user's settings from the XDG folder.
#   check_install_tree.sh BUILD_DIR APP_ID
set -euo pipefail
build=$(cd "$1" && pwd)
id=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/installed-files.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/morvind-install-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

DESTDIR="$work/root" cmake --install "$build" --prefix /usr/local >"$work/install.log" ||
  fail "cmake --install: $(cat "$work/install.log")"
prefix="$work/root/usr/local"

# Every file and nothing else.
(cd "$prefix" && find . -type f -printf '%P\n' | LC_ALL=C sort) >"$work/found"
installed_files "$id" >"$work/expected"
diff -u "$work/expected" "$work/found" || fail "the installed files differ (- expected, + found)"
for size in 16 24 32 48 64 128 256; do
  kind=$(file -b "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png")
  [[ $kind == "PNG image data, $size x $size,"* ]] || fail "the ${size}px icon is $kind"
done

# The desktop entry and the AppStream data.
desktop="$prefix/share/applications/$id.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
for line in "Exec=morvind" "Icon=$id" "Terminal=false" "Categories=Office;"; do
  grep -qx "$line" "$desktop" || fail "$desktop has no line $line"
done
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$work/appstream.log" ||
  fail "appstreamcli validate: $(cat "$work/appstream.log")"

# The programs: no build paths, and the version of CMakeLists.txt.
for program in morvind morvind-print morvind-make-demo; do
  dynamic=$(readelf -d "$prefix/bin/$program")
  ! grep -q -E 'R(UN)?PATH' <<<"$dynamic" || fail "$program keeps an rpath"
  ! grep -q -F "$build" "$prefix/bin/$program" || fail "$program holds the build path $build"
done
version=$(sed -n 's/^project(Morvind VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")
[ -n "$version" ] || fail "no version in CMakeLists.txt"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
mkdir -p "$HOME"
[ "$("$prefix/bin/morvind-print" --version)" = "morvind-print $version" ] ||
  fail "morvind-print --version"
[ "$("$prefix/bin/morvind" --version)" = "morvind $version" ] || fail "morvind --version"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" \
  "$prefix/share/metainfo/$id.metainfo.xml" || fail "no release $version in the metainfo"

# The manual pages: no warnings, the version, every option of --help.
for page in morvind morvind-print morvind-make-demo; do
  man="$prefix/share/man/man1/$page.1.gz"
  warnings=$(zcat "$man" | groff -man -ww -z 2>&1) || fail "groff on $page.1"
  [ -z "$warnings" ] || fail "$page.1 warns: $warnings"
  text=$(zcat "$man" | groff -man -Tascii -P-c -P-b -P-u 2>/dev/null)
  grep -q "Morvind $version" <<<"$text" || fail "$page.1 is not of version $version"
  for option in $("$prefix/bin/$page" --help | grep -o -E -- '--[a-z][a-z-]*' | sort -u); do
    grep -q -F -- "$option" <<<"$text" || fail "$page.1 does not describe $option"
  done
  for section in SYNOPSIS OPTIONS FILES "EXIT STATUS"; do
    grep -q "^$section" <<<"$text" || fail "$page.1 has no $section"
  done
done

# The installed programs print the demo congregation. The installed copy
# reads the user's settings (here: last name first), never a file beside it.
"$prefix/bin/morvind-make-demo" "$work/demo" >/dev/null || fail "morvind-make-demo"
mkdir -p "$XDG_CONFIG_HOME/morvind"
printf '[Format]\nLast Name First=1\n' >"$XDG_CONFIG_HOME/morvind/morvind.INI"
"$prefix/bin/morvind-print" --data "$work/demo" --all --pdf "$work/cards.pdf" >/dev/null ||
  fail "morvind-print --all --pdf"
cards=$("$prefix/bin/morvind-print" --data "$work/demo" --all --ops - | grep -c '^{"op":"page"}$')
pages=$(pdfinfo "$work/cards.pdf" | sed -n 's/^Pages: *//p')
[ "$cards" -gt 1 ] && [ "$pages" = "$cards" ] || fail "the PDF has $pages pages for $cards cards"
text=$(pdftotext "$work/cards.pdf" -)
grep -q "Müller, Käthe" <<<"$text" || fail "the cards don't follow the user's settings"
[ ! -e "$prefix/bin/morvind.INI" ] || fail "a settings file appeared beside the installed program"

echo "install tree checked: $(wc -l <"$work/expected") files, validators, manual pages, programs"
