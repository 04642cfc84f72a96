# The Debian package: `cpack -G DEB` in the build folder packs everything the
# install rules name. The libraries it needs are read from the binaries
# (dpkg-shlibdeps, from dpkg-dev); what they load at run time without
# linking it is named here.
#
# Included last, once every install rule exists.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kaleidocircle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Kaleidocircle developers <kaleidocircle@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sociometric tests: bar graph, target diagram, sociogram, metric table")
set(CPACK_PACKAGE_DESCRIPTION
    "Kaleidocircle runs sociometric tests for teachers, school psychologists and group leaders: the \
questions ask whom each subject accepts or rejects, and the answers are read as a bar graph, a target \
diagram of sociometric categories, an interactive sociogram and a metric table. Tests are kept in one \
.KalCir file; the interface speaks English and Italian. kaleidocircle-export draws the analyses from \
the command line without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit finds the display through a plugin, and the pictures fall
# back to DejaVu Sans; the toolkit's Italian texts are welcome, not needed.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/kaleidocircle")

include(CPack)
