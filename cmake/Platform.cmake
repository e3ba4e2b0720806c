# The game's own folders, and the one platform this build is for (src/platform/<name>,
# see src/platform/Platform.h): desktop, handheld (VANDAL_HANDHELD) or web (emcmake).
# Sets VANDAL_PLATFORM, VANDAL_GAME_SOURCES (the game and its platform, for the
# library), VANDAL_MAIN_SOURCE (the platform's main) and VANDAL_SOUND_PATHS_SOURCE.
if(EMSCRIPTEN)
  set(VANDAL_PLATFORM web)
elseif(VANDAL_HANDHELD)
  set(VANDAL_PLATFORM handheld)
else()
  set(VANDAL_PLATFORM desktop)
endif()

set(VANDAL_GAME_SOURCES)
foreach(room app graphics world player entities sound screens platform/${VANDAL_PLATFORM})
  file(GLOB room_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${room}/*.cpp)
  list(APPEND VANDAL_GAME_SOURCES ${room_sources})
endforeach()
# A standard game controller, played like the handheld: the desktop's and the page's.
if(NOT VANDAL_PLATFORM STREQUAL handheld)
  file(GLOB pad_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/platform/gamepad/*.cpp)
  list(APPEND VANDAL_GAME_SOURCES ${pad_sources})
endif()
set(VANDAL_MAIN_SOURCE ${CMAKE_SOURCE_DIR}/src/platform/${VANDAL_PLATFORM}/main.cpp)
# Where the platform keeps the game's sounds, for the build's own tools too.
set(VANDAL_SOUND_PATHS_SOURCE ${CMAKE_SOURCE_DIR}/src/platform/${VANDAL_PLATFORM}/SoundPaths.cpp)
list(REMOVE_ITEM VANDAL_GAME_SOURCES ${VANDAL_MAIN_SOURCE})
message(STATUS "Vandal Demo for the ${VANDAL_PLATFORM}")
