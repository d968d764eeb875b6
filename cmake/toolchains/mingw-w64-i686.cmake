# Windows 32-bit modules with Debian's mingw-w64 cross compiler
# (g++-mingw-w64-i686). Programs built here run under wine (wine32).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(LUMIDROME_MINGW_TRIPLET i686-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake")
