# Read after CMake's platform files, which would otherwise prefer shared libraries:
# the handheld build links an SDK library's archive whenever the SDK has one.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a .so)
