# Installing KELVOR like any Linux program: cmake --install build --prefix P
# puts the programs in P/bin, the show's eight files in P/share/kelvor, and
# a desktop entry, icons, AppStream metadata and manual pages where desktops
# and man look for them. debian_package.cmake turns the same into a .deb.
if(NOT KELVOR_SHOW)
  return()
endif()
include(GNUInstallDirs)

# KELVOR_APP_ID and KELVOR_WEBSITE are set in the top-level CMakeLists.txt.
set(KELVOR_RELEASE_DATE "2026-12-09")
set(KELVOR_MAINTAINER "KELVOR developers <kelvor@example.org>")

set(KELVOR_ICON_SIZES 16 22 24 32 48 64 128 256)
set(KELVOR_SCREENSHOT_FRAME 4300)
set(KELVOR_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
set(KELVOR_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/kelvor)

# Directories as Debian wants them, whatever the umask of whoever builds.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Text files with the version, the id and the address filled in.
configure_file(${CMAKE_CURRENT_LIST_DIR}/kelvor.desktop.in ${KELVOR_PACKAGING_OUT}/${KELVOR_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kelvor.metainfo.xml.in
               ${KELVOR_PACKAGING_OUT}/${KELVOR_APP_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${KELVOR_PACKAGING_OUT}/changelog @ONLY)
include(${CMAKE_CURRENT_LIST_DIR}/copyright.cmake)

# Manual pages, compressed as Debian installs them (no name or time stamp
# in the gzip header, so the bytes do not change from build to build).
set(KELVOR_MAN_PAGES kelvor.6 kelvor-capture.1 kelvor-assets.1)
set(KELVOR_COMPRESSED_DOCS)
foreach(page ${KELVOR_MAN_PAGES} changelog)
  if(page STREQUAL changelog)
    set(source ${KELVOR_PACKAGING_OUT}/changelog)
  else()
    set(source ${KELVOR_PACKAGING_OUT}/man/${page})
    configure_file(${CMAKE_CURRENT_LIST_DIR}/${page}.in ${source} @ONLY)
  endif()
  add_custom_command(OUTPUT ${source}.gz
    COMMAND gzip -9nf -k ${source}
    DEPENDS ${source}
    VERBATIM)
  list(APPEND KELVOR_COMPRESSED_DOCS ${source}.gz)
endforeach()

# Icons at the usual sizes, rendered from the emblem by the asset generator.
set(KELVOR_ICONS)
foreach(size ${KELVOR_ICON_SIZES})
  set(icon ${KELVOR_PACKAGING_OUT}/icons/hicolor/${size}x${size}/apps/kelvor.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KELVOR_PACKAGING_OUT}/icons/hicolor/${size}x${size}/apps
    COMMAND kelvor-assets --icon ${size} ${icon}
    DEPENDS kelvor-assets
    VERBATIM)
  list(APPEND KELVOR_ICONS ${icon})
endforeach()

# The screenshot the AppStream data names: a frame of the show with the
# emblem card, captured at 3x. It is published on the web site, not installed.
set(KELVOR_SCREENSHOT ${KELVOR_PACKAGING_OUT}/screenshots/kelvor-1.png)
add_custom_command(OUTPUT ${KELVOR_SCREENSHOT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KELVOR_PACKAGING_OUT}/screenshots
  COMMAND kelvor-capture --assets ${CMAKE_BINARY_DIR}/show --first ${KELVOR_SCREENSHOT_FRAME}
          --last ${KELVOR_SCREENSHOT_FRAME} --png ${KELVOR_PACKAGING_OUT}/screenshots --scale 3
  COMMAND ${CMAKE_COMMAND} -E rename ${KELVOR_PACKAGING_OUT}/screenshots/frame_${KELVOR_SCREENSHOT_FRAME}.png
          ${KELVOR_SCREENSHOT}
  DEPENDS kelvor-capture kelvor_show_assets
  VERBATIM)

add_custom_target(kelvor_packaging_files ALL
  DEPENDS ${KELVOR_COMPRESSED_DOCS} ${KELVOR_ICONS} ${KELVOR_SCREENSHOT})

install(TARGETS kelvor kelvor-capture kelvor-assets RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
foreach(file ${KELVOR_SHOW_FILE_NAMES})
  install(FILES ${CMAKE_BINARY_DIR}/show/${file} DESTINATION ${CMAKE_INSTALL_DATADIR}/kelvor)
endforeach()
install(FILES ${KELVOR_PACKAGING_OUT}/${KELVOR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KELVOR_PACKAGING_OUT}/${KELVOR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${KELVOR_PACKAGING_OUT}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${KELVOR_PACKAGING_OUT}/man/kelvor.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${KELVOR_PACKAGING_OUT}/man/kelvor-capture.1.gz ${KELVOR_PACKAGING_OUT}/man/kelvor-assets.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${KELVOR_PACKAGING_OUT}/copyright ${KELVOR_PACKAGING_OUT}/changelog.gz DESTINATION ${KELVOR_DOC_DIR})

include(${CMAKE_CURRENT_LIST_DIR}/debian_package.cmake)
