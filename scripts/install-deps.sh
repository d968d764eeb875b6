#!/usr/bin/env bash
# Installs what the build, the tests and the tools need on Debian 12.
# Idempotent and quiet: installs only missing packages, and refreshes the
# package lists only when something is missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libjpeg-dev libpng-dev libfreetype-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev libreadline-dev
  libcli11-dev nlohmann-json3-dev
  clang-format binutils ccache python3
  # lumipack: OpenEXR; libvips for its benchmark baseline; blender-data's
  # photographed world HDRIs for the test of the thumbnails' moods
  libopenexr-dev libvips-tools blender-data
  # fuzz/: libFuzzer with clang and its runtime
  clang libclang-rt-14-dev
  # Windows modules: mingw-w64 cross compilers, their objdump, wine to run
  # the tests (wine32 for the 32-bit ones), GoogleTest's sources to build
  # it for each target.
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine wine64 wine32:i386 googletest
  # simhost.exe: Debian's mingw zlib; the other image libraries are built
  # from Debian's source packages (build-mingw-libs.sh, needs dpkg-dev).
  libz-mingw-w64-dev dpkg-dev
  # linux32: -m32 with Debian's i386 libraries; qemu runs 32-bit programs
  # where the kernel cannot.
  g++-multilib libjpeg-dev:i386 libpng-dev:i386 libfreetype-dev:i386 libreadline-dev:i386
  libopenexr-3-1-30:i386 # and its development files, unpacked below
  qemu-user-static
)

# A package is given as NAME (the machine's own architecture) or NAME:ARCH.
is_installed() {
  local name=${1%%:*} arch
  arch=$(dpkg --print-architecture)
  [[ $1 == *:* ]] && arch=${1#*:}
  dpkg-query -W -f='${db:Status-Status} ${Architecture}\n' "$name" 2>/dev/null |
    grep -Eq "^installed ($arch|all)$"
}

# OpenEXR's and Imath's i386 development packages cannot be installed beside
# the native ones; the linux32 toolchain finds them, with their libraries,
# unpacked here (cmake/toolchains/linux-i386.cmake).
i386_prefix=/opt/lumidrome-i386
i386_unpacked=(libopenexr-dev libimath-dev libopenexr-3-1-30 libimath-3-1-29)

unpack_i386_packages() {
  local stamp=$i386_prefix/.unpacked download deb as_root=()
  [[ $(cat "$stamp" 2>/dev/null) == "${i386_unpacked[*]}" ]] && return
  [[ $EUID -ne 0 ]] && as_root=(sudo)
  echo "install-deps: unpacking ${i386_unpacked[*]} (i386) into $i386_prefix"
  download=$(mktemp -d)
  chmod a+rwx "$download" # apt downloads as its own user
  (cd "$download" && apt-get download -qq "${i386_unpacked[@]/%/:i386}")
  for deb in "$download"/*.deb; do "${as_root[@]}" dpkg-deb -x "$deb" "$i386_prefix"; done
  rm -rf "$download"
  echo "${i386_unpacked[*]}" | "${as_root[@]}" tee "$stamp" >/dev/null
}

missing=()
for package in "${packages[@]}"; do
  is_installed "$package" || missing+=("$package")
done
if [[ ${#missing[@]} -eq 0 ]]; then
  unpack_i386_packages
  exit
fi

as_root=()
if [[ $EUID -ne 0 ]]; then
  if ! command -v sudo >/dev/null; then
    echo "install-deps: missing ${missing[*]}; run this script as root" >&2
    exit 1
  fi
  as_root=(sudo)
fi

echo "install-deps: installing ${missing[*]}"
# The :i386 packages need Debian's i386 architecture.
if [[ " ${missing[*]}" == *":i386"* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${as_root[@]}" dpkg --add-architecture i386
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
unpack_i386_packages
