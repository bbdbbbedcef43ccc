# "cpack -G DEB" in the build folder makes quenmoor-grass_VERSION_ARCH.deb.
set(CPACK_PACKAGE_NAME quenmoor-grass)
set(CPACK_PACKAGE_VENDOR "The Quenmoor Grass developers")
set(CPACK_PACKAGE_CONTACT "The Quenmoor Grass developers <grass@quenmoor.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "generator of grass and rock fields as OBJ files for 3D artists")
# Lines under 80 characters, as Debian's tools show them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Quenmoor Grass designs fields of grass blades and scattered rocks in\n"
  "drawn editors and writes them as a Wavefront OBJ file with its MTL\n"
  "material file (or as one binary glTF file) and a .grass settings file.\n"
  "The command-line tool quenmoor-grass-cli runs the same creation without\n"
  "a window.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/License.txt)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quenmoor.org/grass/)
# The dependencies come from the programs' own links (Debian's Qt keeps the X11 plugin and the
# JPEG and GIF readers in libqt6gui6); a native Wayland window needs Qt's Wayland plugin, which no
# link names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
