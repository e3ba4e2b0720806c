# The browser build: the game's own sources against emscripten's JavaScript SDL 1.2,
# packaged with the asset tree that a native build generated (the generators are
# host programs, so they cannot run here). scripts/web.sh drives both builds.
set(VANDAL_ASSET_DIR "" CACHE PATH "A native build's game folder, holding every asset the game loads")
if(NOT EXISTS "${VANDAL_ASSET_DIR}/goudos.ttf")
  message(FATAL_ERROR "VANDAL_ASSET_DIR must name a native build's game folder (scripts/web.sh sets it)")
endif()

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(WEB_DIR ${CMAKE_SOURCE_DIR}/web)
add_compile_options(-Wall -Wextra -Os)

include(${CMAKE_SOURCE_DIR}/cmake/Platform.cmake)
# A library, as natively: only what the page's main reaches is linked in, so the
# start-up check of the desktop and the handheld, which the page has no use for, stays
# out (emscripten's SDL could not read the files as streams anyway).
add_library(vandal_core STATIC ${VANDAL_GAME_SOURCES})
target_include_directories(vandal_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
add_executable(vandal ${VANDAL_MAIN_SOURCE})
target_link_libraries(vandal PRIVATE vandal_core)
set_target_properties(vandal PROPERTIES SUFFIX ".html")
target_link_options(vandal PRIVATE
  -Os
  -sALLOW_MEMORY_GROWTH=1
  -sENVIRONMENT=web
  -sMINIFY_HTML=0
  # The browser decodes the BMPs while the page loads; SDL_LoadBMP then finds them ready.
  --use-preload-plugins
  # The game's files, without the native programs that share the folder.
  "SHELL:--preload-file ${VANDAL_ASSET_DIR}@/"
  "SHELL:--exclude-file ${VANDAL_ASSET_DIR}/vandal*"
  "SHELL:--js-library ${WEB_DIR}/sdl_overrides.js"
  "SHELL:--shell-file ${WEB_DIR}/shell.html")
set_property(TARGET vandal APPEND PROPERTY LINK_DEPENDS
  ${WEB_DIR}/sdl_overrides.js ${WEB_DIR}/shell.html)
