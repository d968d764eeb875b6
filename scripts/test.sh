#!/usr/bin/env bash
# Runs every test: the normal build in build/, the sanitizer build in
# build-asan/, and the source format check. Ends with "N passed, N failed"
# over both test runs; the exit status is non-zero when anything failed.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

passed=0
failed=0
problems=()

note_problem() {
  problems+=("$1")
  echo "test.sh: FAILED: $1" >&2
}

check_format() {
  local sources
  mapfile -d '' sources < <(find abi host source simhost tests bench tools -type f \
    \( -name '*.cpp' -o -name '*.cc' -o -name '*.c' -o -name '*.h' -o -name '*.hpp' \) \
    -print0 2>/dev/null | sort -z)
  [[ ${#sources[@]} -eq 0 ]] && return 0
  echo "== format check (${#sources[@]} files)"
  clang-format --dry-run --Werror "${sources[@]}" || note_problem "format check"
}

# build_and_test <dir> <name> <cmake option>...
build_and_test() {
  local dir=$1 name=$2
  shift 2
  echo "== $name: configure and build in $dir"
  if ! cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" ||
    ! cmake --build "$dir" -j2; then
    note_problem "$name build"
    return
  fi
  echo "== $name: tests"
  local log="$dir/ctest-summary.log"
  (cd "$dir" && ctest --output-on-failure) 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]}
  count_results "$name" "$log" "$status"
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

if ! bash scripts/install-deps.sh; then
  note_problem "install-deps"
  echo "0 passed, 0 failed"
  exit 1
fi

check_format
build_and_test build normal -DLUMIDROME_SANITIZE=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  build_and_test build-asan sanitizer -DLUMIDROME_SANITIZE=ON -DLUMIDROME_BENCH=OFF

if [[ ${#problems[@]} -gt 0 ]]; then
  echo "test.sh: problems: ${problems[*]}" >&2
fi
echo "$passed passed, $failed failed"
[[ ${#problems[@]} -eq 0 ]]
