#!/usr/bin/env bash
# Cross-builds the image libraries of the stand-in host for Windows 64-bit:
# Debian packages none of them for mingw-w64 (only zlib), so libjpeg-turbo,
# libpng and FreeType are built from Debian's own source packages with the
# cross compiler, as static libraries, into build-deps/mingw64/ of the
# repository, where the win64 preset looks for them, beside copies of the
# header-only libraries. Run by test.sh's win64 stage, or by hand before
# `cmake --preset win64`; skips every library already built from the same
# source version.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

readonly triplet=x86_64-w64-mingw32
readonly prefix=$PWD/build-deps/mingw64
readonly work=$PWD/build-deps/mingw64-src
readonly toolchain=$PWD/cmake/toolchains/mingw-w64-x86_64.cmake
readonly src_list=/etc/apt/sources.list.d/lumidrome-deb-src.sources
# shellcheck source=scripts/apt-helper.sh
source scripts/apt-helper.sh

# apt-get source needs deb-src entries; Debian's images ship none. An index
# of the mirror that is out of sync only warns (apt_update).
add_source_entries() {
  apt-cache showsrc libpng1.6 >/dev/null 2>&1 && return 0
  apt_need_root "adding Debian's source packages to apt" ||
    { echo "build-mingw-libs: $apt_first_error" >&2; return 1; }
  echo "build-mingw-libs: adding Debian's source packages to apt ($src_list)"
  "${as_root[@]}" tee "$src_list" >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  apt_update --force
  apt-cache showsrc libpng1.6 >/dev/null 2>&1 ||
    { echo "build-mingw-libs: Debian's source lists did not arrive; try again later" >&2; return 1; }
}

source_version() {
  apt-cache showsrc "$1" | sed -n 's/^Version: //p' | head -n 1
}

# fetch <source package>: unpacks it into $work and prints the folder.
fetch() {
  local package=$1 folder
  mkdir -p "$work"
  (cd "$work" && apt-get source -qq "$package" >"$work/apt.log" 2>&1) ||
    { echo "build-mingw-libs: apt-get source $package failed: $(apt_error_line "$work/apt.log")" >&2; return 1; }
  folder=$(find "$work" -maxdepth 1 -mindepth 1 -type d -name "${2:-$package}-*" | head -n 1)
  [[ -n $folder ]] || { echo "build-mingw-libs: no sources of $package in $work" >&2; return 1; }
  echo "$folder"
}

# cmake_install <source folder> <cmake options...>: static, Release, into $prefix.
cmake_install() {
  local source=$1 build
  shift
  build=$source/build-mingw64
  cmake -S "$source" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix;/usr/$triplet" \
    -DCMAKE_CROSSCOMPILING_EMULATOR= -DBUILD_SHARED_LIBS=OFF "$@" >/dev/null
  cmake --build "$build" -j"$(nproc)" >/dev/null
  cmake --install "$build" >/dev/null
}

readonly zlib_options=(-DZLIB_LIBRARY="/usr/$triplet/lib/libz.a" -DZLIB_INCLUDE_DIR="/usr/$triplet/include")

build_jpeg() {
  cmake_install "$1" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
}

build_png() {
  cmake_install "$1" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    "${zlib_options[@]}"
}

build_freetype() {
  cmake_install "$1" -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON \
    -DFT_DISABLE_BROTLI=ON -DFT_REQUIRE_ZLIB=ON "${zlib_options[@]}"
}

# build <source package> <unpacked folder prefix> <build function>
build() {
  local package=$1 version stamp folder start=$SECONDS
  version=$(source_version "$package")
  stamp=$prefix/.built-$package-$version
  [[ -f $stamp ]] && return 0
  echo "build-mingw-libs: building $package $version for $triplet"
  rm -rf "$work"
  folder=$(fetch "$package" "$2")
  "$3" "$folder"
  rm -f "$prefix/.built-$package-"*
  touch "$stamp"
  rm -rf "$work"
  echo "build-mingw-libs: $package done in $((SECONDS - start)) s"
}

# The header-only libraries (CLI11, nlohmann-json) are the same for every
# target: their Debian headers and CMake files are copied into the prefix,
# since a cross build must not search the machine's own /usr/include.
stage_header_libraries() {
  mkdir -p "$prefix/include" "$prefix/share/cmake"
  cp -r /usr/include/CLI /usr/include/nlohmann "$prefix/include/"
  cp -r /usr/share/cmake/CLI11 /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"
}

add_source_entries
mkdir -p "$prefix"
stage_header_libraries
build libjpeg-turbo libjpeg-turbo build_jpeg
build libpng1.6 libpng1.6 build_png
build freetype freetype build_freetype
