#!/usr/bin/env bash
# Builds the Debian package from the build with CPack (as scripts/package.sh
# does, into a temporary folder instead of dist/) and checks it: its name
# carries the version, the package's revision and the architecture, it holds
# exactly the installed files under /usr, its dependencies come from the
# shared libraries plus the fonts and Qt's translations, its changelog is of
# its version, and lintian (where installed) finds nothing to complain of.
#   check_package.sh BUILD_DIR APP_ID
set -euo pipefail
build=$(cd "$1" && pwd)
id=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/installed-files.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/morvind-package-XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  fail "cpack: $(cat "$work/cpack.log")"
top="$here/../../CMakeLists.txt"
version=$(sed -n 's/^project(Morvind VERSION \([0-9.]*\).*/\1/p' "$top")-$(
  sed -n 's/^set(MORVIND_DEBIAN_REVISION \([0-9]*\))/\1/p' "$top")
deb="$work/morvind_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack made: $(ls "$work")"

contents=$(dpkg-deb --contents "$deb")
files=$(awk '$1 !~ /^d/ { print $6 }' <<<"$contents" | sed 's|^\./usr/||' | LC_ALL=C sort)
diff -u <(installed_files "$id") <(echo "$files") ||
  fail "the package's files differ from the install tree's (- expected, + packaged)"

[ "$(dpkg-deb -f "$deb" Package)" = morvind ] || fail "the package is not named morvind"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package is not of version $version"
depends=$(dpkg-deb -f "$deb" Depends)
for package in fonts-liberation qt6-translations-l10n libc6 libqt6widgets6 libqt6printsupport6; do
  grep -q -E "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
entry=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/morvind/changelog.Debian.gz |
  gzip -d | sed -n 1p)
[[ $entry == "morvind ($version) "* ]] || fail "the changelog begins with $entry, not version $version"
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
    fail "lintian: $(grep -v 'root privileges' "$work/lintian.log")"
else
  echo "lintian is not installed (scripts/setup.sh installs it): not run"
fi
echo "package checked: $(basename "$deb"), $(wc -l <<<"$files") files, Depends: $depends"
