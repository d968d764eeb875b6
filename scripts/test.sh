#!/usr/bin/env bash
# Runs every test stage: the source format check, the normal build in
# build/, the sanitizer build in build-asan/, a Release build of the plug-in
# in build-release/, linux32, clang, win64, win32 and the fuzz targets. Each
# stage first asks scripts/install-deps.sh for its package group; a stage
# whose group cannot be installed (a broken package mirror) is not run and
# named so in the stage table. Ends with each stage's wall time and outcome
# and "N passed, N failed, N skipped"; the exit status is non-zero when
# anything failed (a stage not run is no failure).
#
# LUMIDROME_STAGES="linux32,win32" runs only the stages named (a stage's
# name up to its first space: format, normal, sanitizer, release, linux32,
# clang, win64, win32, fuzz), for a quicker run by hand.
#
# Each stage is one function run through run_stage; a new stage is a
# function plus one run_stage line at the bottom. Builds use the presets of
# CMakePresets.json (fuzz/CMakePresets.json for the fuzz targets).
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1

jobs=$(nproc 2>/dev/null || echo 2)
# shellcheck source=scripts/test-report.sh
source scripts/test-report.sh
# shellcheck source=scripts/compiler-cache.sh
source scripts/compiler-cache.sh

# install_groups <group>...: 0 when the groups are installed; otherwise sets
# not_run_reason to what could not be installed, with apt's first error.
install_groups() {
  local errors status=0
  errors=$(mktemp)
  bash scripts/install-deps.sh "$@" 2>"$errors" || status=$?
  cat "$errors" >&2
  not_run_reason=$(sed -n 's/^install-deps: group [^:]*: //p' "$errors" | paste -sd ';' -)
  rm -f "$errors"
  if [[ $status -eq 2 ]]; then
    note_problem "install-deps does not know the groups $*"
  fi
  return $status
}

# run_stage <name> "<groups>" <function> <arguments>...: installs the
# stage's package groups, runs the stage and keeps its time and outcome for
# the table at the end. Status 0: passed; 1: failed; 2: not run.
run_stage() {
  local name=$1 groups=$2 start=$SECONDS problems_before=${#problems[@]} outcome=ok
  shift 2
  [[ -n ${LUMIDROME_STAGES:-} && ,$LUMIDROME_STAGES, != *",${name%% *},"* ]] && return 0
  echo "== $name"
  stage_note=""
  # shellcheck disable=SC2086 # the groups are words
  if ! install_groups $groups; then
    stage_without_packages "$name" $((SECONDS - start)) \
      "${not_run_reason:-the packages of $groups could not be installed}"
    return
  fi
  "$@"
  [[ ${#problems[@]} -gt $problems_before ]] && outcome=FAILED
  record_stage "$name" $((SECONDS - start)) "$outcome${stage_note:+ ($stage_note)}"
  [[ $outcome == ok ]]
}

check_format() {
  local sources
  # Every C and C++ file the repository holds, whichever part it belongs to.
  mapfile -d '' sources < <(git ls-files -z -- '*.cpp' '*.cc' '*.c' '*.h' '*.hpp')
  [[ ${#sources[@]} -eq 0 ]] && return 0
  echo "format check of ${#sources[@]} files"
  clang-format --dry-run --Werror "${sources[@]}" || note_problem "format check"
}

# preset_build <preset> [<configure option>...]: configures and builds with
# the preset of that name.
preset_build() {
  local preset=$1
  shift
  if ! cmake --preset "$preset" "$@" >/dev/null || ! cmake --build --preset "$preset"; then
    note_problem "$preset build"
    return 1
  fi
}

# run_tests <preset> [<ctest option>...]: the preset's tests, in parallel
# unless told otherwise; the tests make their own temporary folders, and
# those that share one hold a RESOURCE_LOCK. ctest's output is kept in
# out/test-logs/<preset>.log.
run_tests() {
  local preset=$1 log=out/test-logs/$1.log
  shift
  mkdir -p out/test-logs
  ctest --preset "$preset" -j"$jobs" "$@" 2>&1 | tee "$log"
  count_results "$preset" "$log" "${PIPESTATUS[0]}"
}

runs_32bit_programs() {
  local probe=$1/probe32
  mkdir -p "$1"
  echo 'int main(void) { return 0; }' | gcc -m32 -x c - -o "$probe" 2>/dev/null &&
    "${@:2}" "$probe" 2>/dev/null
}

# The whole project built with -m32 and every test run. Where the kernel runs
# no 32-bit programs, qemu's user-mode emulator runs them: CMake's test
# emulator starts the test programs, and the tests start simhost and lumipack
# through scripts that put the emulator in front (nothing is registered with
# the kernel). LUMIDROME_LINUX32=plugin builds and tests the plug-in alone
# with its host-layer tests, for a quicker run by hand.
linux32_stage() {
  local dir=build-linux32 emulator='' plugin_only=OFF
  [[ ${LUMIDROME_LINUX32:-full} == plugin ]] && plugin_only=ON
  if ! runs_32bit_programs "$dir"; then
    if ! runs_32bit_programs "$dir" qemu-i386-static; then
      note_problem "linux32 (this machine runs no 32-bit programs, not even through qemu-i386-static)"
      return
    fi
    echo "this kernel runs no 32-bit programs: the tests run through qemu-i386-static"
    emulator=$(command -v qemu-i386-static)
  fi
  preset_build linux32 -DLUMIDROME_PLUGIN_ONLY=$plugin_only \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$emulator" && run_tests linux32
}

# The whole project with clang, standing in for the compiler of macOS: it
# must build warning-free and pass every test.
clang_stage() {
  preset_build clang && run_tests clang
}

# simhost_smoke_under_wine <build folder>: simhost.exe runs a short session
# on the R17 module installed in a user folder under C:\ whose names hold a
# space and non-ASCII letters: opens the browser, clicks a tile, prints the
# scene. Fails unless the click made the HDRI object.
simhost_smoke_under_wine() {
  local dir=$1 folder="Lumidrome Prüfung/Benutzer Ördner"
  local user=$WINEPREFIX/drive_c/$folder windows_user="C:\\${folder//\//\\}"
  local log=$dir/simhost-smoke.log
  rm -rf "$WINEPREFIX/drive_c/${folder%%/*}"
  mkdir -p "$user/plugins/Lumidrome" && cp -a "$dir/plugins/R17/Lumidrome/." "$user/plugins/Lumidrome/"
  printf '%s\n' open "pack Studio_Lights" 'click "Soft Box 01"' scene >"$user/smoke.simhost"
  echo "== win64: simhost.exe session under wine, user folder $windows_user"
  LC_ALL=C.UTF-8 timeout -k 10 300 /usr/lib/wine/wine64 "$dir/simhost/simhost.exe" session \
    --user-folder "$windows_user" "$windows_user\\plugins\\Lumidrome" "$windows_user\\smoke.simhost" \
    >"$log" 2>&1
  local status=$?
  cat "$log"
  [[ $status -eq 0 ]] && grep -q 'the scene changed (one undo step)' "$log" &&
    grep -q 'Soft_Box_01' "$log"
  count_check "win64 simhost.exe session (exit status $status; see $log)" $?
}

# simhost_validate_under_wine <build folder>: simhost.exe validate checks the
# R17 and R14 plug-in folders installed in a user folder under C:\ whose
# names hold a space and non-ASCII letters, its checks' scratch folders in
# there too, and its JUnit report. Fails unless every check of both passes;
# prints each one's time.
simhost_validate_under_wine() {
  local dir=$1 folder="Lumidrome Validierung/Benutzer Ördner" build
  local user=$WINEPREFIX/drive_c/$folder windows_user="C:\\${folder//\//\\}"
  rm -rf "$WINEPREFIX/drive_c/${folder%%/*}"
  for build in R17 R14; do
    local log=$dir/simhost-validate-$build.log start=$SECONDS status
    if ! mkdir -p "$user/$build/plugins/Lumidrome" "$user/$build/scratch" ||
      ! cp -a "$dir/plugins/$build/Lumidrome/." "$user/$build/plugins/Lumidrome/"; then
      count_check "win64 simhost.exe validate $build: cannot install the plug-in in $user" 1
      continue
    fi
    echo "== win64: simhost.exe validate $build under wine, in $windows_user\\$build"
    LC_ALL=C.UTF-8 timeout -k 10 900 /usr/lib/wine/wine64 "$dir/simhost/simhost.exe" validate \
      --user-folder "$windows_user\\$build\\scratch" --junit "$windows_user\\$build\\Prüfbericht.xml" \
      "$windows_user\\$build\\plugins\\Lumidrome" >"$log" 2>&1
    status=$?
    cat "$log"
    echo "== win64: simhost.exe validate $build: exit status $status, $((SECONDS - start)) s"
    [[ $status -eq 0 ]] && grep -q '^PASS exports' "$log" && [[ -s $user/$build/Prüfbericht.xml ]]
    count_check "win64 simhost.exe validate $build (exit status $status; see $log)" $?
  done
}

# windows_module_exports <build folder>: the native validator's export
# reader (build/, made by the normal stage) reads the cross-built Win64
# modules: c4d_main alone. A skipped test counts as a failure here.
windows_module_exports() {
  local dir=$1 log=$1/windows-module-exports.log
  local modules="$dir/plugins/R17/Lumidrome/Lumidrome.cdl64;$dir/plugins/R14/Lumidrome/Lumidrome.cdl64"
  LUMIDROME_WINDOWS_MODULES=$modules build/tests/simhost_validate_tests \
    --gtest_filter=ModuleExports.CrossBuiltWindowsModulesExportOnlyTheEntry >"$log" 2>&1
  local status=$?
  cat "$log"
  [[ $status -eq 0 ]] && grep -q '^\[       OK \]' "$log"
  count_check "win64 module exports read by build/tests/simhost_validate_tests (see $log)" $?
}

# windows_stage <win64|win32>: cross-built (win64: simhost.exe and the
# plug-in; win32: the plug-in alone); the checks run under wine with one
# wineserver and wine's services started beforehand, in a prefix inside the
# build folder. Without wine32 the 32-bit programs' tests are skipped
# (scripts/wine-run.sh) and the checks that need no wine still run.
windows_stage() {
  local preset=$1 dir=build-$1
  if [[ $preset == win64 ]] && ! bash scripts/build-mingw-libs.sh; then
    note_problem "win64: the image libraries for Windows did not build"
    return
  fi
  preset_build "$preset" || return
  if [[ $preset == win32 ]] && ! install_groups wine32; then
    stage_note="its wine tests not run: $not_run_reason"
    echo "test.sh: NOT RUN: win32 wine tests: $not_run_reason" >&2
  fi
  export WINEPREFIX=$PWD/$dir/wineprefix WINEDEBUG=-all
  mkdir -p "$WINEPREFIX"
  if ! timeout 60 wineserver -p || ! timeout -k 10 300 /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1; then
    note_problem "$preset: wine did not start"
  else
    touch "$WINEPREFIX/.prepared" # scripts/wine-run.sh need not boot it again
  fi
  echo "== $preset: tests (under wine)"
  # Two programs at a time: each runs long under wine and waits on it.
  run_tests "$preset" --timeout 300 --parallel 2
  grep -q 'Skipped' "out/test-logs/$preset.log" && echo "== $preset: some tests were skipped (see above)"
  if [[ $preset == win64 ]]; then
    simhost_smoke_under_wine "$dir"
    simhost_validate_under_wine "$dir"
    windows_module_exports "$dir"
  fi
  timeout 60 wineserver -k 2>/dev/null
  unset WINEPREFIX
}

# run_fuzzers: builds the libFuzzer targets of fuzz/ with clang in
# build-fuzz/ and runs every fuzz_<name> program built there, with its seeds
# in fuzz/corpus/<name>, for a bounded time (LUMIDROME_FUZZ_SECONDS, 20 by
# default) from its seed corpus (new inputs go to build-fuzz/, never into
# the repository). A crash, a leak, a slow input or a memory blow-up fails
# the stage; counts one test per target.
run_fuzzers() {
  local dir=build-fuzz seconds=${LUMIDROME_FUZZ_SECONDS:-20} program target ran=0
  echo "== fuzz: configure and build in $dir"
  if ! (cd fuzz && cmake --preset fuzz >/dev/null && cmake --build --preset fuzz); then
    note_problem "fuzz build"
    return
  fi
  for program in "$dir"/fuzz_*; do
    [[ -f $program && -x $program ]] || continue
    target=${program#"$dir"/fuzz_}
    if [[ ! -d fuzz/corpus/$target ]]; then
      count_check "fuzz: $program has no seed folder; add fuzz/corpus/$target" 1
      continue
    fi
    ran=$((ran + 1))
    echo "== fuzz: $target for ${seconds}s"
    mkdir -p "$dir/found-$target"
    (cd "$dir" && "./fuzz_$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=512 \
      -max_len=65536 -print_final_stats=1 "found-$target" "../fuzz/corpus/$target")
    count_check "fuzz $target (the failing input is in $dir)" $?
  done
  [[ $ran -gt 0 ]] || note_problem "fuzz: no fuzz_<name> program was built in $dir"
}

sanitizer_tests() {
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_tests sanitize
}

run_stage "format check" format check_format
run_stage "normal build" core preset_build native &&
  run_stage "normal tests" "core tests" run_tests native
run_stage "sanitizer build" "core sanitizer" preset_build sanitize &&
  run_stage "sanitizer tests" "core sanitizer tests" sanitizer_tests
run_stage "release plug-in build" core preset_build release-plugin

run_stage "linux32" "core tests linux32" linux32_stage
run_stage "clang" "core tests clang" clang_stage
run_stage "win64" "core win64" windows_stage win64
run_stage "win32" "core win32" windows_stage win32
run_stage "fuzz" "core fuzz" run_fuzzers

print_stage_table
print_closing_line
[[ ${#problems[@]} -eq 0 ]]
