#!/usr/bin/env bash
# Runs a Windows program under wine: the test emulator of the mingw-w64
# builds, and the way to start them by hand.
#
#   scripts/wine-run.sh PROGRAM.exe [ARGUMENTS...]
#
# wine keeps its state in WINEPREFIX; when unset, in "wineprefix" inside the
# build folder that holds PROGRAM (never the user's home). A new prefix is
# made first (wineboot). The 64-bit or 32-bit loader is chosen from the
# program's header. Every wine call is bounded in time
# (LUMIDROME_WINE_TIMEOUT seconds, default 240), so a hung wine fails the
# run instead of stopping it. Exit status 77 means the machine cannot run
# the program at all (no wine32, or no 32-bit support): callers report it as
# skipped.
set -uo pipefail

readonly wine_dir=/usr/lib/wine
readonly limit=${LUMIDROME_WINE_TIMEOUT:-240}

fail() {
  echo "wine-run: $*" >&2
  exit 2
}

# The build folder holding $1: the nearest parent with a CMakeCache.txt.
build_folder_of() {
  local dir
  dir=$(cd "$(dirname "$1")" && pwd) || return 1
  while [[ $dir != / ]]; do
    [[ -f $dir/CMakeCache.txt ]] && { echo "$dir"; return 0; }
    dir=$(dirname "$dir")
  done
  return 1
}

# "64" or "32" from the PE header's machine field.
pe_bits() {
  local offset machine
  offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  [[ -n $offset ]] || return 1
  machine=$(od -An -tx2 -j$((offset + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
  case $machine in
    8664) echo 64 ;;
    014c) echo 32 ;;
    *) return 1 ;;
  esac
}

# Whether 32-bit Linux programs run on the processor itself. Where the
# kernel lacks 32-bit support they may run through qemu's user-mode
# emulator (binfmt_misc), under which wine32 hangs.
runs_32bit_natively() {
  local entry
  for entry in /proc/sys/fs/binfmt_misc/*; do
    [[ -f $entry ]] || continue
    if grep -qx enabled "$entry" &&
      grep -q '^magic 7f454c4601010100000000000000000002000300' "$entry"; then
      return 1
    fi
  done
  timeout 20 "$wine_dir/wine" --version >/dev/null 2>&1
}

# The loader for these bits, or status 77 when the machine cannot run it.
loader_for() {
  local loader=$wine_dir/wine64
  [[ $1 == 32 ]] && loader=$wine_dir/wine
  if [[ $1 == 32 && ! -x $loader ]]; then
    echo "wine-run: skipped: $loader is missing (wine32:i386 is not installed; scripts/install-deps.sh wine32)" >&2
    exit 77
  fi
  [[ -x $loader ]] || fail "$loader is missing; run scripts/install-deps.sh win64"
  if [[ $1 == 32 ]] && ! runs_32bit_natively; then
    echo "wine-run: skipped: this machine cannot run 32-bit programs natively (kernel without 32-bit support), so wine32 cannot start" >&2
    exit 77
  fi
  echo "$loader"
}

# Makes the prefix once; concurrent runs wait for the first.
prepare_prefix() {
  mkdir -p "$WINEPREFIX" || fail "cannot create $WINEPREFIX"
  (
    flock -w "$limit" 9 || fail "timed out waiting for $WINEPREFIX"
    [[ -f $WINEPREFIX/.prepared ]] && exit 0
    # wine's services outlive wineboot: they must not inherit the lock.
    timeout -k 10 "$limit" "$wine_dir/wine64" wineboot -i >/dev/null 2>&1 9>&- ||
      fail "wineboot failed or hung for $WINEPREFIX"
    touch "$WINEPREFIX/.prepared"
  ) 9>"$WINEPREFIX.lock"
}

[[ $# -ge 1 ]] || fail "usage: wine-run.sh PROGRAM.exe [ARGUMENTS...]"
program=$1
[[ -f $program ]] || fail "no such program: $program"
bits=$(pe_bits "$program") || fail "$program is not a Windows x86 program"

if [[ -z ${WINEPREFIX:-} ]]; then
  build=$(build_folder_of "$program") || fail "set WINEPREFIX: $program lies in no build folder"
  export WINEPREFIX=$build/wineprefix
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

loader=$(loader_for "$bits") || exit $?
prepare_prefix
timeout -k 10 "$limit" "$loader" "$@"
status=$?
[[ $status -eq 124 ]] && echo "wine-run: $program did not finish within $limit s" >&2
exit $status
