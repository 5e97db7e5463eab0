# Installation: the program in libexec, its data in share, and a launcher in bin that
# runs it from the data folder, found relative to the launcher so the prefix can move.
include(GNUInstallDirs)
set(FENDWALL_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/fendwall)
set(FENDWALL_EXE_DIR ${CMAKE_INSTALL_LIBEXECDIR}/fendwall)
file(RELATIVE_PATH FENDWALL_SHARE_FROM_BIN /${CMAKE_INSTALL_BINDIR} /${FENDWALL_SHARE_DIR})
file(RELATIVE_PATH FENDWALL_EXE_FROM_BIN /${CMAKE_INSTALL_BINDIR} /${FENDWALL_EXE_DIR}/fendwall)
configure_file(packaging/fendwall.in ${CMAKE_CURRENT_BINARY_DIR}/launcher/fendwall @ONLY)

# The project has no mailing address yet. This one is under .invalid (RFC 2606), so it
# can never reach anyone by mistake, yet it is an address, as the package format wants.
set(FENDWALL_MAINTAINER "Fendwall developers <maintainers@fendwall.invalid>")
install(TARGETS fendwall RUNTIME DESTINATION ${FENDWALL_EXE_DIR})
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/launcher/fendwall DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/fend.dat data/over.dat DESTINATION ${FENDWALL_SHARE_DIR}/data)
install(DIRECTORY data/texturen data/sound DESTINATION ${FENDWALL_SHARE_DIR}/data)
install(FILES packaging/fendwall.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/icons/fendwall-48.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps
        RENAME fendwall.png)
install(FILES data/icons/fendwall-256.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps
        RENAME fendwall.png)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fendwall)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: wall off the field before the balls break your walls")
set(CPACK_PACKAGE_DESCRIPTION "Balls fly diagonally over a 30 x 30 field; build walls with the mouse and\nclose off the regions the balls are not in. A tilted 3D view with music and\nsound effects.")
set(CPACK_PACKAGE_CONTACT ${FENDWALL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${FENDWALL_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# shlibdeps finds SDL2, SDL2_mixer, FreeType, fontconfig, GL and GLU from the binary;
# the font and Mesa's drivers are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, libgl1-mesa-dri")
include(CPack)
