# `cpack -G DEB` in the build folder makes framewright_<version>_amd64.deb.
# Its dependencies are the runtime libraries the programs link, found by
# dpkg-shlibdeps, and the programs and plugins they need at run time but do
# not link: Ghostscript for PostScript, Qt's platform plugins to open a
# window and draw its icon, D-Bus for desktop notifications.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME framewright)
set(CPACK_PACKAGE_VENDOR "Framewright")
set(CPACK_PACKAGE_CONTACT "Framewright developers <developers@framewright.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Batch photo resizer and converter")
set(CPACK_PACKAGE_DESCRIPTION
    "Resizes, rotates, flips and converts batches of photos, keeping them upright and\n keeping their metadata, in a window or with framewright-cli.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${FRAMEWRIGHT_HOMEPAGE}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "ghostscript, qt6-qpa-plugins, libqt6svg6, dbus")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
