# Installs the game like a Linux game: the program and its resources in a private directory, a
# launcher on the PATH that starts the game from its own bin directory (so that "../resources"
# resolves), a desktop entry and the icons. CPack turns the same layout into a .deb.
include(GNUInstallDirs)
set(GALESKERRY_INSTALL_HOME ${CMAKE_INSTALL_LIBDIR}/galeskerry)

install(TARGETS galeskerry RUNTIME DESTINATION ${GALESKERRY_INSTALL_HOME}/bin)
install(DIRECTORY ${GALESKERRY_RESOURCE_DIR}/ DESTINATION ${GALESKERRY_INSTALL_HOME}/resources)
install(PROGRAMS ${CMAKE_SOURCE_DIR}/dist/galeskerry.sh DESTINATION ${CMAKE_INSTALL_BINDIR}
        RENAME galeskerry)
install(FILES ${CMAKE_SOURCE_DIR}/dist/galeskerry.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY ${GALESKERRY_ICON_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME galeskerry)
set(CPACK_PACKAGE_VENDOR "Galeskerry developers")
set(CPACK_PACKAGE_CONTACT "Galeskerry developers <galeskerry@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "steer a small boat through a night storm to the lighthouse")
set(CPACK_PACKAGE_DESCRIPTION
    "A small 3D game: sail across a stormy night sea, past rocks and chasing tentacles, to the "
    "lighthouse within 90 seconds, with lightning, thunder, music and a short story.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The runtime libraries come from Debian's packages; dpkg-shlibdeps names them from the binary.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libgl1-mesa-dri")
include(CPack)
