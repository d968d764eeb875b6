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
  mapfile -d '' sources < <(find abi host source simhost tests bench tools -type f \
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

print_stage_times
if [[ ${#problems[@]} -gt 0 ]]; then
  echo "test.sh: problems: ${problems[*]}" >&2
fi
echo "$passed passed, $failed failed"
[[ ${#problems[@]} -eq 0 ]]
