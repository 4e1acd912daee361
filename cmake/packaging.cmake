# `cpack -G DEB` in the build folder makes vorn_<version>_amd64.deb from the install rules. The
# libraries the programs link decide its dependencies (dpkg-shlibdeps), so the package names
# what Debian calls them on the machine that built it.

# The user guide beside the package's other documents.
install(DIRECTORY "${PROJECT_SOURCE_DIR}/docs/" DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/vorn")

set(CPACK_PACKAGE_NAME vorn)
set(CPACK_PACKAGE_VENDOR Ostrel)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "level editor for Quake maps")
# Debian wants the long description in lines of less than 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Vorn opens and saves Quake .map files and builds levels from brushes in a"
  "top-down view, a height view and a 3D camera view: rooms, stairs, arches,"
  "cylinders, clipping and subtraction, lights, monsters and items with their"
  "properties, textures from WAD2 archives, and the game's compile tools run"
  "from the editor. Includes vornc, which reads, checks and rewrites maps from"
  "the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Ostrel <vorn@ostrel.invalid>")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The icons are SVG pictures drawn by Qt's SVG plugins, which no binary links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")

include(CPack)
