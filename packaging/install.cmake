# Installation: the program in libexec, its data in share, and a launcher in bin that
# tells it where the data folder is, found relative to the launcher so the prefix can move.
# The Debian package (scripts/build-deb.sh) lays it out as Debian's games are: the
# launcher in games/ and the data in share/games/, where the FHS keeps games' static data.
include(GNUInstallDirs)
option(FENDWALL_DEBIAN_LAYOUT "Install the launcher in games/ and the data in share/games/" OFF)
if(FENDWALL_DEBIAN_LAYOUT)
  set(FENDWALL_BIN_DIR games)
  set(FENDWALL_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/games/fendwall)
else()
  set(FENDWALL_BIN_DIR ${CMAKE_INSTALL_BINDIR})
  set(FENDWALL_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/fendwall)
endif()
set(FENDWALL_EXE_DIR ${CMAKE_INSTALL_LIBEXECDIR}/fendwall)
set(FENDWALL_PACKAGING ${CMAKE_CURRENT_LIST_DIR})
set(FENDWALL_DATA ${PROJECT_SOURCE_DIR}/data)
file(RELATIVE_PATH FENDWALL_SHARE_FROM_BIN /${FENDWALL_BIN_DIR} /${FENDWALL_SHARE_DIR})
file(RELATIVE_PATH FENDWALL_EXE_FROM_BIN /${FENDWALL_BIN_DIR} /${FENDWALL_EXE_DIR}/fendwall)
configure_file(${FENDWALL_PACKAGING}/fendwall.in ${CMAKE_CURRENT_BINARY_DIR}/launcher/fendwall @ONLY)

# The project has no mailing address yet. This one is under .invalid (RFC 2606), so it
# can never reach anyone by mistake, yet it is an address, as the package format wants.
set(FENDWALL_MAINTAINER "Fendwall developers <maintainers@fendwall.invalid>")

# The manual page and the changelog are installed compressed, as Debian keeps them;
# -n leaves the name and time out of the gzip header, so the bytes depend on the text alone.
set(FENDWALL_DOCS_OUT ${CMAKE_CURRENT_BINARY_DIR}/packaging)
add_custom_command(OUTPUT ${FENDWALL_DOCS_OUT}/fendwall.6.gz
  COMMAND ${CMAKE_COMMAND} -E copy ${FENDWALL_PACKAGING}/fendwall.6 ${FENDWALL_DOCS_OUT}/fendwall.6
  COMMAND gzip -9nf ${FENDWALL_DOCS_OUT}/fendwall.6
  DEPENDS ${FENDWALL_PACKAGING}/fendwall.6 VERBATIM)
add_custom_command(OUTPUT ${FENDWALL_DOCS_OUT}/changelog.gz
  COMMAND sh ${FENDWALL_PACKAGING}/news-to-changelog.sh ${PROJECT_SOURCE_DIR}/NEWS
          ${FENDWALL_MAINTAINER} ${FENDWALL_DOCS_OUT}/changelog
  COMMAND gzip -9nf ${FENDWALL_DOCS_OUT}/changelog
  DEPENDS ${PROJECT_SOURCE_DIR}/NEWS ${FENDWALL_PACKAGING}/news-to-changelog.sh VERBATIM)
add_custom_target(fendwall_docs ALL DEPENDS ${FENDWALL_DOCS_OUT}/fendwall.6.gz ${FENDWALL_DOCS_OUT}/changelog.gz)

install(TARGETS fendwall RUNTIME DESTINATION ${FENDWALL_EXE_DIR})
# A stripped install (cpack, or --strip) also drops the .comment and .note sections, as
# Debian's dh_strip does: they only name the tools that built the program.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${FENDWALL_EXE_DIR}/fendwall\" COMMAND_ERROR_IS_FATAL ANY)
  endif()")
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/launcher/fendwall DESTINATION ${FENDWALL_BIN_DIR})
install(FILES ${FENDWALL_DATA}/fend.dat ${FENDWALL_DATA}/over.dat DESTINATION ${FENDWALL_SHARE_DIR}/data)
install(DIRECTORY ${FENDWALL_DATA}/texturen ${FENDWALL_DATA}/sound DESTINATION ${FENDWALL_SHARE_DIR}/data)
install(FILES ${FENDWALL_DATA}/icons/fendwall-64.tga DESTINATION ${FENDWALL_SHARE_DIR}/data/icons)
# The desktop entry and the software centres' metainfo are named by the game's id.
install(FILES ${FENDWALL_PACKAGING}/fendwall.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${FENDWALL_APP_ID}.desktop)
install(FILES ${FENDWALL_PACKAGING}/fendwall.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME ${FENDWALL_APP_ID}.metainfo.xml)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${FENDWALL_DATA}/icons/fendwall-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME fendwall.png)
endforeach()
install(FILES ${FENDWALL_DOCS_OUT}/fendwall.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${FENDWALL_PACKAGING}/copyright ${FENDWALL_DOCS_OUT}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

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
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libdecor-0-plugin-1-cairo | libdecor-0-plugin-1")  # a Wayland window's title bar
include(CPack)
