# The Debian package (scripts/package.sh runs cpack with this): everything
# the install rules put under the prefix, installed into /usr, with the
# dependencies computed from the programs' shared libraries plus what Qt
# loads by name at run time (the German texts of its dialogs) and the fonts
# the card is drawn with.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvind)
set(CPACK_PACKAGE_VENDOR "Morvind developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The package's revision makes it a Debian package of an upstream version,
# whose changelog is changelog.Debian.gz (CMakeLists.txt).
set(CPACK_DEBIAN_PACKAGE_RELEASE ${MORVIND_DEBIAN_REVISION})
# The Description field: the summary, then the text (CPack indents it).
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "publisher record card printer for Ostrel's data")
set(CPACK_PACKAGE_DESCRIPTION
  "Morvind prints the congregation's publisher record card (S-21) of a
service year for one publisher at a time, from the data files that the
records program Ostrel keeps, onto pre-printed cards. The window shows the
publisher list and previews of the card; morvind-print prints many cards
at once into a PDF file or onto a printer.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The packages are built from the install rules alone: no source package.
set(CPACK_SOURCE_GENERATOR "")

set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${MORVIND_PACKAGE_MAINTAINER})
# Debian has no section "office"; the menu entry files it there.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n")
# morvind_<version>-<revision>_<architecture>.deb
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)

include(CPack)
