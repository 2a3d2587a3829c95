# The files an installation holds below its prefix, one a line, sorted:
# sourced by the checks of the install tree and of the Debian package.
# Usage: installed_files APP_ID
installed_files() {
  local id=$1
  {
    printf '%s\n' bin/morvind bin/morvind-print bin/morvind-make-demo
    printf '%s\n' "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
    for size in 16 24 32 48 64 128 256; do
      echo "share/icons/hicolor/${size}x${size}/apps/$id.png"
    done
    echo "share/icons/hicolor/scalable/apps/$id.svg"
    printf '%s\n' share/man/man1/morvind.1.gz share/man/man1/morvind-print.1.gz \
      share/man/man1/morvind-make-demo.1.gz
    printf '%s\n' share/doc/morvind/copyright share/doc/morvind/changelog.Debian.gz \
      share/lintian/overrides/morvind
  } | LC_ALL=C sort
}
