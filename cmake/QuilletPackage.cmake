# The Debian package (`make package`, or the build's `package` target): CPack's DEB generator
# packs everything installed to the default component, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillet)
set(CPACK_PACKAGE_VENDOR "Quillet developers")
set(CPACK_PACKAGE_CONTACT "Quillet developers <maintainers@quillet.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "2D sprite animation editor for games")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The long description; the summary above is its first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quillet edits sprite animations for games on small devices: modules cut out of
PNG and BMP textures are placed into frames, with collision boxes and named
tags, and frames are strung into timed actions that play back with
interpolated in-betweens. The package holds the editor, the command-line tool
quillet-cli (dump, render and export of .an1 documents) and the Core, Lumsel,
Tessel and Pindle libraries with their headers, CMake package and pkg-config
files.")

# dpkg-shlibdeps reads the libraries the programs link. What they load at run time without
# linking it must be named here: Qt's platform plugins, the CJK font the Chinese texts need, and
# the OpenGL and EGL libraries with Mesa's drivers, which libepoxy opens on first use.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-wqy-microhei, libgl1, libegl1, libglx-mesa0, libegl-mesa0, libgl1-mesa-dri")
# Building against the libraries needs the headers of what their interfaces use.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "g++, cmake, pkg-config, libfreeimage-dev, qt6-base-dev, libepoxy-dev")

include(CPack)
