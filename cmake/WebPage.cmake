# cmake -DPAGE_DIR=... -DWEB_DIR=... -DICON_DIR=... -P WebPage.cmake
# Puts the page's other files beside the game's (its script, manifest and icons) and
# writes the service worker with the list of them all and a version made from their
# contents, so that every new build replaces what the browser kept.
file(COPY ${WEB_DIR}/page.js ${WEB_DIR}/manifest.webmanifest DESTINATION ${PAGE_DIR})
file(GLOB icons ${ICON_DIR}/icon-*.png)
file(COPY ${icons} DESTINATION ${PAGE_DIR})
set(names vandal.html vandal.js vandal.wasm vandal.data page.js manifest.webmanifest)
foreach(icon ${icons})
  get_filename_component(name ${icon} NAME)
  list(APPEND names ${name})
endforeach()
set(digests "")
set(PAGE_FILES "")
foreach(name ${names})
  file(SHA256 ${PAGE_DIR}/${name} digest)
  string(APPEND digests ${digest})
  string(APPEND PAGE_FILES "'${name}', ")
endforeach()
string(SHA256 PAGE_VERSION "${digests}")
string(SUBSTRING ${PAGE_VERSION} 0 16 PAGE_VERSION)
string(REGEX REPLACE ", $" "" PAGE_FILES "${PAGE_FILES}")
configure_file(${WEB_DIR}/sw.js ${PAGE_DIR}/sw.js @ONLY)
