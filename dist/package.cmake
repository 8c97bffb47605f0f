# The Debian package tavik_<version>_amd64.deb, made by `cpack -G DEB` in a build
# folder (scripts/package.sh does it from a Release build). It holds what
# `cmake --install` puts under /usr; its dependencies come from the programs'
# libraries (dpkg-shlibdeps), and the fonts the report asks for by name.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavik)
set(CPACK_PACKAGE_VERSION ${TAVIK_VERSION})
set(CPACK_PACKAGE_VENDOR "The TAVIK developers")
set(CPACK_PACKAGE_CONTACT "The TAVIK developers <tavik@tavik.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fit compression hearing aids from loudness-scaling results")
set(CPACK_PACKAGE_DESCRIPTION
    "TAVIK helps a clinician fit a compression hearing aid from the results of a
loudness-scaling test, one patient at a time. From the loudness levels the
patient judged at six frequencies it works out targets for soft, average and
loud speech, fits five standard input/output curves to them, scores every curve
and prints a one-page report per chosen pair of curves.
.
The command tavik-cli reads the same patient files without the window and
writes the graphs and reports into files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tavik.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# "Arial" and "Courier" of the report and the pages are found through these fonts;
# the window needs Qt's platform plugins, and under Wayland its Wayland plugin.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# What Debian wants only in its packages: compressed manual pages and the changelog
# in Debian's format. The package is made here, from our own sources, so Debian
# counts it as native: its changelog is changelog.gz, its version has no Debian
# revision and is the program's own. Done in the staged tree, so that
# `cmake --install` stays as it is.
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${PROJECT_BINARY_DIR}/dist/changelog @ONLY)
set(CPACK_TAVIK_CHANGELOG ${PROJECT_BINARY_DIR}/dist/changelog)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/packagefiles.cmake)

include(CPack)
