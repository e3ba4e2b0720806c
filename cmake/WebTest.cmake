# The browser test: builds the page with emscripten (scripts/web.sh, from this
# build's asset tree) and plays it in headless Chromium. It is added only where
# both are installed, and not to sanitizer or cross builds, whose code the page does not
# use.
find_program(EMCC_PROGRAM emcc)
find_program(CHROMIUM_PROGRAM chromium)
find_package(Python3 COMPONENTS Interpreter)
if(EMCC_PROGRAM AND CHROMIUM_PROGRAM AND Python3_Interpreter_FOUND AND NOT VANDAL_SANITIZE
   AND NOT CMAKE_CROSSCOMPILING)
  set(WEB_BUILD_DIR ${CMAKE_BINARY_DIR}/web)
  add_test(NAME browser
    COMMAND sh -c "sh scripts/web.sh && \"$0\" web/browser_test.py \"$1\" \"$2\""
            ${Python3_EXECUTABLE} ${WEB_BUILD_DIR} ${GAME_DIR}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
  set_tests_properties(browser PROPERTIES
    ENVIRONMENT "VANDAL_NATIVE_BUILD=${CMAKE_BINARY_DIR};VANDAL_WEB_BUILD=${WEB_BUILD_DIR};VANDAL_BROWSER_SHOTS=${CMAKE_BINARY_DIR}/browser-failures"
    TIMEOUT 900 LABELS release)
endif()
