# Installing the game, and the Debian package made from the installed tree.
include(GNUInstallDirs)

# The game looks for its files beside the executable, then in the data folder relative
# to it (so an installed tree works under any prefix and wherever it is unpacked), then
# in the data folder this build was configured for.
set(VANDAL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/vandal-demo)
file(RELATIVE_PATH VANDAL_DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/vandal-demo)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/platform/desktop/DataFolder.cpp PROPERTIES
  COMPILE_DEFINITIONS
  "VANDAL_INSTALLED_DATA=\"${CMAKE_INSTALL_FULL_DATADIR}/vandal-demo\";VANDAL_DATA_FROM_BIN=\"${VANDAL_DATA_FROM_BIN}\"")

# Debian keeps games in /usr/games; other installs put the executable in bin/. The
# package's install run says so through the environment (see DebPackage.cmake). Both
# sit one level under the prefix, so the data folder is found relative to either.
install(CODE "set(VANDAL_BINDIR \"\$ENV{VANDAL_BINDIR}\")
if(NOT VANDAL_BINDIR)
  set(VANDAL_BINDIR ${CMAKE_INSTALL_BINDIR})
endif()")
install(TARGETS vandal RUNTIME DESTINATION \${VANDAL_BINDIR})
install(DIRECTORY ${GAME_DIR}/ DESTINATION ${VANDAL_DATA_DIR}
        FILES_MATCHING PATTERN "*.bmp" PATTERN "*.wav" PATTERN "*.fon" PATTERN "*.ttf")

# Desktop icons: the car as players see it, drawn at each size by the build.
set(ICON_SPRITE ${GAME_DIR}/sprites/yellowcar/nw.bmp)
set(ICON_FILES)
foreach(size 32 48 64 128 256)
  set(icon ${CMAKE_BINARY_DIR}/icons/${size}x${size}/vandal-demo.png)
  add_custom_command(
    OUTPUT ${icon}
    COMMAND spritegen icon ${size} ${icon} ${ICON_SPRITE}
    DEPENDS spritegen ${ICON_SPRITE}
    COMMENT "Drawing the ${size}x${size} icon"
    VERBATIM)
  list(APPEND ICON_FILES ${icon})
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Debian's tools want the manual page and the changelog compressed, reproducibly.
set(PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
foreach(doc vandal.6 changelog)
  add_custom_command(
    OUTPUT ${PACKAGING_OUT}/${doc}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PACKAGING_OUT}
    COMMAND gzip -9nc ${PACKAGING_DIR}/${doc} > ${PACKAGING_OUT}/${doc}.gz
    DEPENDS ${PACKAGING_DIR}/${doc}
    COMMENT "Compressing ${doc}")
endforeach()
add_custom_target(desktop_files ALL DEPENDS ${ICON_FILES} ${PACKAGING_OUT}/vandal.6.gz
                                            ${PACKAGING_OUT}/changelog.gz)
add_dependencies(desktop_files sprites)

# The fonts are Debian's own, so their licences travel with them.
file(READ ${PACKAGING_DIR}/copyright VANDAL_COPYRIGHT)
foreach(package fonts-dejavu-core fonts-linuxlibertine)
  set(notice /usr/share/doc/${package}/copyright)
  if(EXISTS ${notice})
    file(READ ${notice} text)
    string(APPEND VANDAL_COPYRIGHT "\n---- ${package} ----\n\n${text}")
  else()
    string(APPEND VANDAL_COPYRIGHT "\nSee the copyright file of the package ${package}.\n")
  endif()
endforeach()
file(WRITE ${PACKAGING_OUT}/copyright "${VANDAL_COPYRIGHT}")

set(VANDAL_APP_ID invalid.vandaldemo.VandalDemo)
install(FILES ${PACKAGING_DIR}/${VANDAL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PACKAGING_DIR}/${VANDAL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PACKAGING_OUT}/vandal.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PACKAGING_OUT}/copyright ${PACKAGING_OUT}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vandal-demo)

# cpack -G DEB (or the "deb" target) makes vandal-demo_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vandal-demo)
set(CPACK_PACKAGE_VERSION 1.0)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down action driving game")
set(CPACK_PACKAGE_DESCRIPTION
    "Drive a yellow car over a random map that scrolls under you: run things
over, crush wrecks for fuel, open chests for money, pick up NOS boosts and
spend it all in the shop huts. Portals lead to fresh, busier maps.")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/DebPackage.cmake)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vandal Demo developers <vandal-demo@vandaldemo.invalid>")
include(CPack)
add_custom_target(deb
  COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Making the Debian package"
  USES_TERMINAL)
add_dependencies(deb vandal assets desktop_files)
