# Installing the game, and the Debian package made from the installed tree.
include(GNUInstallDirs)

# The game looks for its files beside the executable, then in the data folder relative
# to it (so an installed tree works under any prefix and wherever it is unpacked), then
# in the data folder this build was configured for.
set(VANDAL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/vandal-demo)
file(RELATIVE_PATH VANDAL_DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/vandal-demo)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/app/DataFolder.cpp PROPERTIES
  COMPILE_DEFINITIONS
  "VANDAL_INSTALLED_DATA=\"${CMAKE_INSTALL_FULL_DATADIR}/vandal-demo\";VANDAL_DATA_FROM_BIN=\"${VANDAL_DATA_FROM_BIN}\"")
