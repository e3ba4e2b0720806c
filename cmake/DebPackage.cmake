# Read by cpack before it installs the tree it packs: Debian's games live in /usr/games.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(ENV{VANDAL_BINDIR} games)
endif()
