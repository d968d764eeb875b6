# Shared by the two mingw-w64 toolchains; LUMIDROME_MINGW_TRIPLET names the
# target. The posix thread model gives GoogleTest its std::mutex; the
# modules link their runtime statically, winpthread included.
set(CMAKE_C_COMPILER ${LUMIDROME_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMIDROME_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${LUMIDROME_MINGW_TRIPLET}-windres)
set(CMAKE_OBJDUMP ${LUMIDROME_MINGW_TRIPLET}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${LUMIDROME_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run through wine; the script keeps wine's state in the
# build folder and bounds every run in time.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../../scripts/wine-run.sh")
