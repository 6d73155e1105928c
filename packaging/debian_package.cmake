# The Debian package: cpack -G DEB in the build folder, or
# cmake --build build --target package, writes kelvor_VERSION_ARCH.deb with
# what install.cmake installs, under /usr. Its library dependencies are
# worked out by dpkg-shlibdeps from the programs themselves. ARCH is this
# machine's (amd64 here) or, in a cross build, the one its toolchain file
# names (arm64 for cmake/aarch64-linux-gnu.cmake).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The KELVOR developers")
set(CPACK_PACKAGE_CONTACT "${KELVOR_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time audiovisual demo with its own music")
# The summary is the synopsis line; this is the text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "KELVOR plays its own tracker module and shows an endless sequence of
software-rendered effects until Esc is pressed: a fogged voxel landscape,
a cloud of glowing particles, a ring of additive sprites and zooming title
cards, blended with a feedback trail. Every pixel and every note is
computed by the program itself.
.
The package also holds kelvor-capture, which renders the show offline to
pictures, frame checksums or a video with its music, and kelvor-assets,
which computes the show's pictures, music and icon.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
if(KELVOR_DEBIAN_ARCHITECTURE)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${KELVOR_DEBIAN_ARCHITECTURE})
endif()
# Not "games": Debian keeps that section for programs in /usr/games, and
# the show is no game but a show one watches.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# kelvor-capture --video runs the ffmpeg program.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS ffmpeg)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
include(CPack)
