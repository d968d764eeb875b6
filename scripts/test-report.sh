# shellcheck shell=bash
# The bookkeeping of scripts/test.sh, sourced by it: the stage table with
# each stage's time and outcome, the counts, and the closing line
# "N passed, N failed, N skipped". A stage whose packages could not be
# installed is "not run": counted as skipped, said loudly, never a failure.

passed=0
failed=0
skipped=0
problems=()
stage_names=()
stage_seconds=()
stage_outcomes=()

note_problem() {
  problems+=("$1")
  echo "test.sh: FAILED: $1" >&2
}

# note_not_run <what> <reason>: something that was not run, e.g. for want of
# a package; counted as one skipped.
note_not_run() {
  skipped=$((skipped + 1))
  echo "test.sh: NOT RUN: $1: $2" >&2
}

# record_stage <name> <seconds> <outcome>: one line of the table.
record_stage() {
  stage_names+=("$1")
  stage_seconds+=("$2")
  stage_outcomes+=("$3")
}

print_stage_table() {
  local i total=0
  echo "== stages (wall clock, ${jobs:-2} cores)"
  for i in "${!stage_names[@]}"; do
    printf '  %-28s %4d:%02d  %s\n' "${stage_names[$i]}" $((stage_seconds[i] / 60)) \
      $((stage_seconds[i] % 60)) "${stage_outcomes[$i]}"
    total=$((total + stage_seconds[i]))
  done
  printf '  %-28s %4d:%02d\n' "total" $((total / 60)) $((total % 60))
}

# count_results <name> <ctest log> <ctest status>: reads ctest's
# "X tests failed out of Y" line and its list of skipped tests.
count_results() {
  local name=$1 log=$2 status=$3 summary failures total not_run
  summary=$(grep -Eo '[0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [[ -z $summary ]]; then
    note_problem "$name tests (no test summary; were any tests built?)"
    return
  fi
  read -r failures _ _ _ _ total <<<"$summary"
  not_run=$(grep -Ec '^[[:space:]]*[0-9]+ - .*\(Skipped\)$' "$log")
  passed=$((passed + total - failures - not_run))
  failed=$((failed + failures))
  skipped=$((skipped + not_run))
  if [[ $failures -gt 0 || $status -ne 0 ]]; then note_problem "$name tests"; fi
}

# count_check <description> <status>: one check that is not a ctest test.
count_check() {
  if [[ $2 -eq 0 ]]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    note_problem "$1"
  fi
}

print_closing_line() {
  if [[ ${#problems[@]} -gt 0 ]]; then
    echo "test.sh: problems: ${problems[*]}" >&2
  fi
  echo "$passed passed, $failed failed, $skipped skipped"
}

# stage_without_packages <name> <seconds> <reason>: a stage whose packages
# could not be installed. The format check and the normal build and tests
# are what every run must have run to say anything: without them the run
# fails (status 1); any other stage is not run (status 2).
stage_without_packages() {
  local name=$1 seconds=$2 reason=$3
  if [[ $name == "format check" || $name == "normal build" || $name == "normal tests" ]]; then
    note_problem "$name: $reason"
    failed=$((failed + 1))
    record_stage "$name" "$seconds" "FAILED (not run: $reason)"
    return 1
  fi
  note_not_run "$name" "$reason"
  record_stage "$name" "$seconds" "not run: $reason"
  return 2
}
