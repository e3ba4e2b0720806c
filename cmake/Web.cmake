# The browser build: the game's own sources against emscripten's JavaScript SDL 1.2 for
# events, time and files, with the page's own video, text and sound calls beside them
# (src/platform/web), packaged with the asset tree that a native build generated (the
# generators are host programs, so they cannot run here). scripts/web.sh drives both
# builds.
set(VANDAL_ASSET_DIR "" CACHE PATH "A native build's game folder, holding every asset the game loads")
set(VANDAL_WEB_ASSET_DIR "" CACHE PATH "A native build's web-assets folder: the page's fonts, sounds and icons")
if(NOT EXISTS "${VANDAL_ASSET_DIR}/sprites/hud.bmp" OR NOT EXISTS "${VANDAL_WEB_ASSET_DIR}/pack/goudos.ttf-16.glyphs")
  message(FATAL_ERROR "VANDAL_ASSET_DIR and VANDAL_WEB_ASSET_DIR must name a native build's game and web-assets folders (scripts/web.sh sets them)")
endif()

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(WEB_DIR ${CMAKE_SOURCE_DIR}/web)
set(WEB_PLATFORM_DIR ${CMAKE_SOURCE_DIR}/src/platform/web)
add_compile_options(-Wall -Wextra -Os)

include(${CMAKE_SOURCE_DIR}/cmake/Platform.cmake)
# A library, as natively: only what the page's main reaches is linked in, so the
# start-up check of the desktop and the handheld, which the page has no use for, stays
# out.
add_library(vandal_core STATIC ${VANDAL_GAME_SOURCES})
target_include_directories(vandal_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
set(WEB_LIBRARIES ${WEB_PLATFORM_DIR}/Input.js ${WEB_PLATFORM_DIR}/Sound.js)
set(WEB_LINK_OPTIONS
  -Os
  -sALLOW_MEMORY_GROWTH=1
  -sENVIRONMENT=web
  -sMINIFY_HTML=0
  # The pictures the native build made, and the page's fonts and sounds.
  "SHELL:--preload-file ${VANDAL_ASSET_DIR}/sprites@/sprites"
  "SHELL:--preload-file ${VANDAL_WEB_ASSET_DIR}/pack@/")
foreach(library ${WEB_LIBRARIES})
  list(APPEND WEB_LINK_OPTIONS "SHELL:--js-library ${library}")
endforeach()

add_executable(vandal ${VANDAL_MAIN_SOURCE})
target_link_libraries(vandal PRIVATE vandal_core)
set_target_properties(vandal PROPERTIES SUFFIX ".html")
target_link_options(vandal PRIVATE ${WEB_LINK_OPTIONS} "SHELL:--shell-file ${WEB_DIR}/shell.html")
set(PAGE_SOURCES ${WEB_DIR}/page.js ${WEB_DIR}/manifest.webmanifest ${WEB_DIR}/sw.js)
set_property(TARGET vandal APPEND PROPERTY LINK_DEPENDS ${WEB_LIBRARIES} ${WEB_DIR}/shell.html
             ${PAGE_SOURCES})
add_custom_command(TARGET vandal POST_BUILD
  COMMAND ${CMAKE_COMMAND} -DPAGE_DIR=${CMAKE_BINARY_DIR} -DWEB_DIR=${WEB_DIR}
          -DICON_DIR=${VANDAL_WEB_ASSET_DIR}/page -P ${CMAKE_SOURCE_DIR}/cmake/WebPage.cmake
  COMMENT "Adding the page's script, manifest, icons and service worker")

# The frame-by-frame replay (tests/replay) as a page of its own, replay.html: the
# browser test plays its sessions and holds them to the desktop's record, since the
# page packs the desktop build's pictures.
set(REPLAY_DIR ${CMAKE_SOURCE_DIR}/tests/replay)
add_executable(replay ${REPLAY_DIR}/ReplayPage.cpp ${REPLAY_DIR}/Recorder.cpp
               ${REPLAY_DIR}/Sessions.cpp ${REPLAY_DIR}/Watch.cpp
               ${CMAKE_SOURCE_DIR}/tests/support/TestSupport.cpp)
target_include_directories(replay PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(replay PRIVATE vandal_core -Wl,--wrap=SDL_Flip)
set_target_properties(replay PROPERTIES SUFFIX ".html")
target_link_options(replay PRIVATE ${WEB_LINK_OPTIONS} "SHELL:--shell-file ${WEB_DIR}/replay.html")
set_property(TARGET replay APPEND PROPERTY LINK_DEPENDS ${WEB_LIBRARIES} ${WEB_DIR}/replay.html)
