#!/usr/bin/env bash
# Runs every test: the normal build in build/, the sanitizer build in
# build-asan/, a Release build of the plug-in in build-release/, and the
# source format check. Ends with the wall time of each stage and
# "N passed, N failed" over both test runs; the exit status is non-zero when
# anything failed.
#
# Each stage is one function run through run_stage, which times it; a new
# stage is a function plus one run_stage line at the bottom.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.." || exit 1

jobs=$(nproc 2>/dev/null || echo 2)
passed=0
failed=0
problems=()
stage_names=()
stage_seconds=()

note_problem() {
  problems+=("$1")
  echo "test.sh: FAILED: $1" >&2
}

# run_stage <name> <function> <arguments>...: runs one stage and keeps its
# wall time for the table at the end.
run_stage() {
  local name=$1 start=$SECONDS
  shift
  echo "== $name"
  "$@"
  local status=$?
  stage_names+=("$name")
  stage_seconds+=($((SECONDS - start)))
  return $status
}

print_stage_times() {
  local i total=0
  echo "== stage times (wall clock, $jobs cores)"
  for i in "${!stage_names[@]}"; do
    printf '  %-28s %4d:%02d\n' "${stage_names[$i]}" $((stage_seconds[i] / 60)) \
      $((stage_seconds[i] % 60))
    total=$((total + stage_seconds[i]))
  done
  printf '  %-28s %4d:%02d\n' "total" $((total / 60)) $((total % 60))
}

# ccache, when present, makes a second run on the same machine cheap, from
# any clone: paths below the clone are hashed as relative ones, and the
# build folder's own path is left out.
compiler_launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
  export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
  compiler_launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

install_deps() {
  bash scripts/install-deps.sh || note_problem "install-deps"
}

check_format() {
  local sources
  mapfile -d '' sources < <(find abi host source simhost tests bench tools fuzz lumipack -type f \
    \( -name '*.cpp' -o -name '*.cc' -o -name '*.c' -o -name '*.h' -o -name '*.hpp' \) \
    -print0 2>/dev/null | sort -z)
  [[ ${#sources[@]} -eq 0 ]] && return 0
  echo "format check of ${#sources[@]} files"
  clang-format --dry-run --Werror "${sources[@]}" || note_problem "format check"
}

# configure_and_build <dir> <name> <build type> <target list or ""> <cmake option>...
configure_and_build() {
  local dir=$1 name=$2 type=$3 targets=$4
  shift 4
  local target_options=()
  [[ -n $targets ]] && read -ra target_options <<<"--target $targets"
  if ! cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE="$type" "${compiler_launcher[@]}" "$@" >/dev/null ||
    ! cmake --build "$dir" -j"$jobs" "${target_options[@]}"; then
    note_problem "$name build"
    return 1
  fi
}

# run_tests <dir> <name>: ctest in parallel; the tests make their own
# temporary folders, and those that share one hold a RESOURCE_LOCK.
run_tests() {
  local dir=$1 name=$2
  if [[ ! -f $dir/CTestTestfile.cmake ]]; then
    note_problem "$name tests (not built)"
    return
  fi
  local log="$dir/ctest-summary.log"
  (cd "$dir" && ctest --output-on-failure -j"$jobs") 2>&1 | tee "$log"
  count_results "$name" "$log" "${PIPESTATUS[0]}"
}

# Reads ctest's "X tests failed out of Y" line.
count_results() {
  local name=$1 log=$2 status=$3 summary
  summary=$(grep -Eo '[0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [[ -z $summary ]]; then
    note_problem "$name tests (no test summary; were any tests built?)"
    return
  fi
  local failures total
  read -r failures _ _ _ _ total <<<"$summary"
  passed=$((passed + total - failures))
  failed=$((failed + failures))
  if [[ $failures -gt 0 || $status -ne 0 ]]; then note_problem "$name tests"; fi
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
  local dir=build-linux32 emulator= plugin_only=OFF
  [[ ${LUMIDROME_LINUX32:-full} == plugin ]] && plugin_only=ON
  if ! runs_32bit_programs "$dir"; then
    if ! runs_32bit_programs "$dir" qemu-i386-static; then
      note_problem "linux32 (this machine runs no 32-bit programs, not even through qemu-i386-static)"
      return
    fi
    echo "this kernel runs no 32-bit programs: the tests run through qemu-i386-static"
    emulator=$(command -v qemu-i386-static)
  fi
  if ! cmake --preset linux32 -DLUMIDROME_PLUGIN_ONLY=$plugin_only -DCMAKE_CROSSCOMPILING_EMULATOR="$emulator" \
    "${compiler_launcher[@]}" >/dev/null || ! cmake --build --preset linux32; then
    note_problem "linux32 build"
    return
  fi
  run_tests "$dir" linux32
}

# The whole project with clang, standing in for the compiler of macOS: it
# must build warning-free and pass every test.
clang_stage() {
  if ! cmake --preset clang "${compiler_launcher[@]}" >/dev/null ||
    ! cmake --build --preset clang; then
    note_problem "clang build"
    return
  fi
  run_tests build-clang clang
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
  if [[ $status -eq 0 ]] && grep -q 'the scene changed (one undo step)' "$log" &&
    grep -q 'Soft_Box_01' "$log"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    note_problem "win64 simhost.exe session (exit status $status; see $log)"
  fi
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
      failed=$((failed + 1))
      note_problem "win64 simhost.exe validate $build: cannot install the plug-in in $user"
      continue
    fi
    echo "== win64: simhost.exe validate $build under wine, in $windows_user\\$build"
    LC_ALL=C.UTF-8 timeout -k 10 900 /usr/lib/wine/wine64 "$dir/simhost/simhost.exe" validate \
      --user-folder "$windows_user\\$build\\scratch" --junit "$windows_user\\$build\\Prüfbericht.xml" \
      "$windows_user\\$build\\plugins\\Lumidrome" >"$log" 2>&1
    status=$?
    cat "$log"
    echo "== win64: simhost.exe validate $build: exit status $status, $((SECONDS - start)) s"
    if [[ $status -eq 0 ]] && grep -q '^PASS exports' "$log" && [[ -s $user/$build/Prüfbericht.xml ]]; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1))
      note_problem "win64 simhost.exe validate $build (exit status $status; see $log)"
    fi
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
  if [[ $status -eq 0 ]] && grep -q '^\[       OK \]' "$log"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    note_problem "win64 module exports read by build/tests/simhost_validate_tests (see $log)"
  fi
}

# windows_stage <win64|win32>: cross-built (win64: simhost.exe and the
# plug-in; win32: the plug-in alone); the checks run under wine with one wineserver and wine's services started beforehand, in
# a prefix inside the build folder.
windows_stage() {
  local preset=$1 dir=build-$1
  echo "== $preset: configure and build in $dir"
  if [[ $preset == win64 ]] && ! bash scripts/build-mingw-libs.sh; then
    note_problem "win64: the image libraries for Windows did not build"
    return
  fi
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset"; then
    note_problem "$preset build"
    return
  fi
  export WINEPREFIX=$PWD/$dir/wineprefix WINEDEBUG=-all
  mkdir -p "$WINEPREFIX"
  if ! timeout 60 wineserver -p || ! timeout -k 10 300 /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1; then
    note_problem "$preset: wine did not start"
  else
    touch "$WINEPREFIX/.prepared" # scripts/wine-run.sh need not boot it again
  fi
  echo "== $preset: tests (under wine)"
  local log="$dir/ctest-summary.log"
  # Two programs at a time: each runs long under wine and waits on it.
  (cd "$dir" && ctest --output-on-failure --timeout 300 --parallel 2) 2>&1 | tee "$log"
  count_results "$preset" "$log" "${PIPESTATUS[0]}"
  grep -q 'Skipped' "$log" && echo "== $preset: some tests were skipped (see above)"
  [[ $preset == win64 ]] && simhost_smoke_under_wine "$dir"
  [[ $preset == win64 ]] && simhost_validate_under_wine "$dir"
  [[ $preset == win64 ]] && windows_module_exports "$dir"
  timeout 60 wineserver -k 2>/dev/null
  unset WINEPREFIX
}

# run_fuzzers: builds the libFuzzer targets of fuzz/ with clang in
# build-fuzz/ and runs each for a bounded time from its seed corpus (new
# inputs go to build-fuzz/, never into the repository). A crash, a leak, a
# slow input or a memory blow-up fails the stage; counts one test per target.
run_fuzzers() {
  local dir=build-fuzz seconds=${LUMIDROME_FUZZ_SECONDS:-30} target
  echo "== fuzz: configure and build in $dir"
  if ! cmake -S fuzz -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ ||
    ! cmake --build "$dir" -j2; then
    note_problem "fuzz build"
    return
  fi
  for target in bitmap hyperfile; do
    echo "== fuzz: $target for ${seconds}s"
    mkdir -p "$dir/found-$target"
    if (cd "$dir" && ./fuzz_$target -max_total_time="$seconds" -timeout=5 -rss_limit_mb=512 \
      -max_len=65536 -print_final_stats=1 "found-$target" "../fuzz/corpus/$target"); then
      passed=$((passed + 1))
    else
      failed=$((failed + 1))
      note_problem "fuzz $target (the failing input is in $dir)"
    fi
  done
}

# The build type most users pick, for the plug-in alone: it must build
# warning-free at -O3 too.
release_plugin_build() {
  configure_and_build build-release "release plug-in" Release "lumidrome_r17 lumidrome_r14" \
    -DLUMIDROME_TESTS=OFF -DLUMIDROME_BENCH=OFF
}

sanitizer_tests() {
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_tests build-asan sanitizer
}

run_stage "install-deps" install_deps
if [[ ${#problems[@]} -gt 0 ]]; then
  print_stage_times
  echo "0 passed, 0 failed"
  exit 1
fi
run_stage "format check" check_format
run_stage "normal build" configure_and_build build normal RelWithDebInfo "" \
  -DLUMIDROME_SANITIZE=OFF &&
  run_stage "normal tests" run_tests build normal
run_stage "sanitizer build" configure_and_build build-asan sanitizer RelWithDebInfo "" \
  -DLUMIDROME_SANITIZE=ON -DLUMIDROME_BENCH=OFF &&
  run_stage "sanitizer tests" sanitizer_tests
run_stage "release plug-in build" release_plugin_build

run_stage "linux32" linux32_stage
run_stage "clang" clang_stage
run_stage "win64" windows_stage win64
run_stage "win32" windows_stage win32
run_stage "fuzz" run_fuzzers

print_stage_times
if [[ ${#problems[@]} -gt 0 ]]; then
  echo "test.sh: problems: ${problems[*]}" >&2
fi
echo "$passed passed, $failed failed"
[[ ${#problems[@]} -eq 0 ]]
