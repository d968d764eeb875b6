# shellcheck shell=bash
# Sourced by the build scripts: ccache, when present, makes a second build on
# the same machine cheap, from any clone: paths below the clone are hashed
# as relative ones and the build folder's own path is left out. CMake takes
# the launcher from the environment when it configures a build folder first.
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
  export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
  export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
  export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
fi
