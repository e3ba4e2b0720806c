# The handheld's SD-card package, vandal-gp2x.zip: a vandal/ folder with the
# executable, the whole asset tree beside it, the launcher script that the handheld's
# menu starts and the icon the menu shows beside it. Not part of ALL:
# `cmake --build <dir> --target sdcard`.
set(SDCARD_SOURCE_DIR ${CMAKE_SOURCE_DIR}/packaging/gp2x)
set(SDCARD_DIR ${CMAKE_BINARY_DIR}/sdcard)
set(SDCARD_ZIP ${CMAKE_BINARY_DIR}/vandal-gp2x.zip)
set(ASSET_LIST ${CMAKE_BINARY_DIR}/assets.txt)

add_executable(assetlist ${SDCARD_SOURCE_DIR}/assetlist.cpp ${CMAKE_SOURCE_DIR}/src/app/Assets.cpp
               ${VANDAL_SOUND_PATHS_SOURCE})
target_include_directories(assetlist PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(assetlist PRIVATE PkgConfig::SDL)
add_custom_command(
  OUTPUT ${ASSET_LIST}
  COMMAND assetlist ${ASSET_LIST} ${GAME_DIR}
  DEPENDS assetlist assets
  COMMENT "Listing the game's files"
  VERBATIM)
# The handheld's own build runs its tests on the card's file names.
if(VANDAL_PLATFORM STREQUAL handheld)
  add_custom_target(card_names ALL DEPENDS ${ASSET_LIST})
endif()

# The menu shows a 32x32 picture named like the launcher: the car as players see it.
set(SDCARD_ICON ${CMAKE_BINARY_DIR}/sdcard-icon/vandal.png)
add_custom_command(
  OUTPUT ${SDCARD_ICON}
  COMMAND spritegen icon 32 ${SDCARD_ICON} ${GAME_DIR}/sprites/yellowcar/nw.bmp
  DEPENDS spritegen ${GAME_DIR}/sprites/yellowcar/nw.bmp
  COMMENT "Drawing the handheld menu's icon"
  VERBATIM)

find_program(ZIP_PROGRAM zip)
if(NOT ZIP_PROGRAM)
  add_custom_target(sdcard
    COMMAND ${CMAKE_COMMAND} -E echo "The SD-card package needs zip: run scripts/setup.sh test"
    COMMAND ${CMAKE_COMMAND} -E false)
  return()
endif()

add_custom_target(sdcard
  COMMAND sh ${SDCARD_SOURCE_DIR}/make-sdcard.sh ${GAME_DIR} ${ASSET_LIST}
          $<TARGET_FILE:vandal> ${SDCARD_SOURCE_DIR}/vandal.gpe ${SDCARD_DIR} ${SDCARD_ZIP}
          ${SDCARD_ICON}
  DEPENDS ${ASSET_LIST} ${SDCARD_ICON} ${SDCARD_SOURCE_DIR}/make-sdcard.sh ${SDCARD_SOURCE_DIR}/vandal.gpe
  BYPRODUCTS ${SDCARD_ZIP}
  COMMENT "Packing ${SDCARD_ZIP}"
  VERBATIM)
add_dependencies(sdcard vandal assets)
