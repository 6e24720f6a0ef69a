# Installs the game as a Debian games package lays it out: the program and its resources in a
# private directory, the launcher in games/ (on every player's PATH on Debian), which starts the
# game from its own bin directory so that "../resources" resolves, the desktop entry with its
# AppStream metainfo, the icons, the manual page galeskerry(6), the copyright file and the
# changelog. CPack turns the same layout into a .deb.
include(GNUInstallDirs)
set(GALESKERRY_INSTALL_HOME ${CMAKE_INSTALL_LIBDIR}/galeskerry)
set(GALESKERRY_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/galeskerry)

# Who answers for the package: the Maintainer of the .deb, the signature of the changelog and
# the contact of the copyright file.
set(GALESKERRY_MAINTAINER "Galeskerry developers <developers@galeskerry.org>")
set(GALESKERRY_HOMEPAGE "https://galeskerry.org")
# The reverse-DNS id of the project: the desktop entry's file name and the AppStream id.
set(GALESKERRY_APP_ID org.galeskerry.Galeskerry)

set(packaging_dir ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_SOURCE_DIR}/dist/${GALESKERRY_APP_ID}.metainfo.xml.in
               ${packaging_dir}/${GALESKERRY_APP_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/galeskerry.6 ${packaging_dir}/galeskerry.6 @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/dist/changelog.in ${packaging_dir}/changelog @ONLY)
include(${CMAKE_SOURCE_DIR}/cmake/DebianCopyright.cmake)
galeskerry_write_copyright(${packaging_dir}/copyright)

# Debian wants the manual page and the changelog compressed, at gzip's best and without the
# time stamp that would make every build differ.
set(compressed_files)
foreach(name galeskerry.6 changelog)
  add_custom_command(OUTPUT ${packaging_dir}/${name}.gz
    COMMAND gzip -9 -n -k -f ${packaging_dir}/${name}
    DEPENDS ${packaging_dir}/${name} VERBATIM)
  list(APPEND compressed_files ${packaging_dir}/${name}.gz)
endforeach()
add_custom_target(galeskerry_packaging ALL DEPENDS ${compressed_files})

install(TARGETS galeskerry RUNTIME DESTINATION ${GALESKERRY_INSTALL_HOME}/bin)
# The font's licence is in the copyright file; the copy staged beside the font serves the build
# tree only.
install(DIRECTORY ${GALESKERRY_RESOURCE_DIR}/ DESTINATION ${GALESKERRY_INSTALL_HOME}/resources
        PATTERN "*-LICENSE.txt" EXCLUDE)
install(PROGRAMS ${CMAKE_SOURCE_DIR}/dist/galeskerry.sh DESTINATION games RENAME galeskerry)
install(FILES ${CMAKE_SOURCE_DIR}/dist/${GALESKERRY_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_dir}/${GALESKERRY_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${GALESKERRY_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${packaging_dir}/galeskerry.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${packaging_dir}/copyright ${packaging_dir}/changelog.gz
        DESTINATION ${GALESKERRY_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME galeskerry)
set(CPACK_PACKAGE_VENDOR "Galeskerry developers")
set(CPACK_PACKAGE_CONTACT "${GALESKERRY_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "steer a small boat through a night storm to the lighthouse")
# Debian shows the extended description as it stands, so its lines are kept short here.
set(CPACK_PACKAGE_DESCRIPTION
    "A small 3D game: sail across a stormy night sea, past rocks and chasing
tentacles, to the lighthouse within 90 seconds, with lightning, thunder,
music and a short story.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${GALESKERRY_HOMEPAGE}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_STRIP_FILES ON)
# The runtime libraries come from Debian's packages; dpkg-shlibdeps names them from the binary.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libgl1-mesa-dri")
include(CPack)
