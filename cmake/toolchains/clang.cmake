# Debian's clang, standing in for the compiler of macOS.
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
