#!/usr/bin/env bash
# Installs what the build, the tests and the tools need on Debian 12, by
# named groups:
#
#   scripts/install-deps.sh [GROUP...]   (no group: every group)
#   scripts/install-deps.sh --list       (the groups and their packages)
#
# Idempotent and quiet: a group already installed makes no apt call. A group
# that cannot be installed (e.g. its packages' index is broken on the
# mirror today) does not stop the others: each such group is named on
# stderr as
#   install-deps: group GROUP: PACKAGES could not be installed: <apt's error>
# and the exit status is 1. Exit status 2: an unknown group.
set -euo pipefail
script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=scripts/apt-helper.sh
source "$script_dir/apt-helper.sh"

group_names=(core format tests sanitizer fuzz clang win64 win32 wine32 linux32 bench-baseline)
declare -A group_packages=(
  # The main job (scripts/demo.sh) and the default configure step, which
  # builds the tests and the benchmarks too.
  [core]="cmake g++ make pkg-config libjpeg-dev libpng-dev libfreetype-dev fonts-dejavu-core
    libreadline-dev libcli11-dev nlohmann-json3-dev libopenexr-dev
    libgtest-dev libgmock-dev libbenchmark-dev ccache"
  [format]="clang-format"
  # The normal tests: objdump reads the modules' tables; the pack builder's
  # tests read the photographed HDRIs of blender-data.
  [tests]="binutils blender-data"
  [sanitizer]="libasan8 libubsan1"
  # libFuzzer ships with clang's runtime.
  [fuzz]="clang libclang-rt-14-dev"
  [clang]="clang"
  # simhost.exe and the plug-ins for Windows 64-bit: the cross compiler,
  # GoogleTest's sources, Debian's mingw zlib and the source packages of the
  # other image libraries (build-mingw-libs.sh, needs dpkg-dev); wine runs
  # the tests.
  [win64]="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest libz-mingw-w64-dev
    dpkg-dev wine wine64"
  # The 32-bit plug-ins build without wine32; their tests under wine need it.
  [win32]="g++-mingw-w64-i686-posix binutils-mingw-w64-i686 googletest wine wine64"
  [wine32]="wine32:i386"
  # -m32 with Debian's i386 libraries; qemu runs 32-bit programs where the
  # kernel cannot. OpenEXR's i386 files are unpacked (see below).
  [linux32]="g++-multilib libjpeg-dev:i386 libpng-dev:i386 libfreetype-dev:i386
    libreadline-dev:i386 libopenexr-3-1-30:i386 googletest qemu-user-static"
  # The pack builder's benchmark compares it with libvips' command line.
  [bench-baseline]="libvips-tools"
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
i386_prefix=${LUMIDROME_I386_PREFIX:-/opt/lumidrome-i386}
i386_unpacked=(libopenexr-dev libimath-dev libopenexr-3-1-30 libimath-3-1-29)

unpack_i386_packages() {
  local stamp=$i386_prefix/.unpacked download deb
  [[ $(cat "$stamp" 2>/dev/null) == "${i386_unpacked[*]}" ]] && return 0
  echo "install-deps: unpacking ${i386_unpacked[*]} (i386) into $i386_prefix"
  download=$(mktemp -d)
  chmod a+rwx "$download" # apt downloads as its own user
  if ! (cd "$download" && apt-get download -qq "${i386_unpacked[@]/%/:i386}" 2>"$download/log"); then
    apt_first_error=$(apt_error_line "$download/log")
    rm -rf "$download"
    return 1
  fi
  for deb in "$download"/*.deb; do "${as_root[@]}" dpkg-deb -x "$deb" "$i386_prefix"; done
  rm -rf "$download"
  echo "${i386_unpacked[*]}" | "${as_root[@]}" tee "$stamp" >/dev/null
}

missing_packages() {
  local package
  for package in ${group_packages[$1]}; do
    is_installed "$package" || echo "$package"
  done
}

# The :i386 packages need Debian's i386 architecture.
add_i386_architecture() {
  [[ " $* " == *":i386 "* ]] || return 0
  dpkg --print-foreign-architectures | grep -qx i386 && return 0
  "${as_root[@]}" dpkg --add-architecture i386
}

# install_group <group>: 0 when everything of it is there afterwards; else
# says which packages could not be installed, with apt's first error line.
install_group() {
  local group=$1 missing
  mapfile -t missing < <(missing_packages "$group")
  if [[ ${#missing[@]} -gt 0 ]]; then
    if ! apt_need_root "installing ${missing[*]}"; then
      report_failure "$group" "${missing[*]}"
      return 1
    fi
    echo "install-deps: $group: installing ${missing[*]}"
    add_i386_architecture "${missing[@]}" || true
    apt_update
    if ! apt_install "${missing[@]}"; then
      report_failure "$group" "${missing[*]}"
      return 1
    fi
  fi
  [[ $group == linux32 ]] || return 0
  apt_need_root "unpacking the i386 OpenEXR files" && unpack_i386_packages && return 0
  report_failure "$group" "${i386_unpacked[*]/%/:i386}"
  return 1
}

report_failure() {
  echo "install-deps: group $1: $2 could not be installed: $apt_first_error" >&2
}

list_groups() {
  local group
  for group in "${group_names[@]}"; do
    # shellcheck disable=SC2086 # one line of the package names
    echo "$group:" ${group_packages[$group]}
  done
}

main() {
  local groups=("$@") group status=0
  [[ ${1:-} == --list ]] && { list_groups; return 0; }
  [[ $# -eq 0 ]] && groups=("${group_names[@]}")
  for group in "${groups[@]}"; do
    if [[ -z ${group_packages[$group]+set} ]]; then
      echo "install-deps: no group '$group'; the groups are: ${group_names[*]}" >&2
      return 2
    fi
  done
  for group in "${groups[@]}"; do
    install_group "$group" || status=1
  done
  return $status
}

main "$@"
