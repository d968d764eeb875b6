#!/usr/bin/env bash
# scripts/test-report.sh, the bookkeeping of scripts/test.sh, sourced on its
# own: ctest's skipped tests count as skipped (not passed), a stage not run
# counts as skipped and is no failure, a failed test is one; the normal
# build without its packages fails the run.
#
#   test_report_test.sh <path of scripts/test-report.sh>
set -uo pipefail
# shellcheck source=scripts/test-report.sh
source "$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# A run of ctest with 20 tests: one failed, two skipped (wine32 missing).
cat >"$work/ctest.log" <<'LOG'
95% tests passed, 1 tests failed out of 20

The following tests did not run:
	 12 - module_entry_r17 (Skipped)
	 13 - module_entry_r14 (Skipped)

The following tests FAILED:
	  7 - plugin_tests (Failed)
LOG
count_results win32 "$work/ctest.log" 8 2>/dev/null
[[ "$passed $failed $skipped" == "17 1 2" ]] ||
  fail "one failed and two skipped of 20: got passed/failed/skipped $passed $failed $skipped"
[[ ${#problems[@]} -eq 1 ]] || fail "a failed test is not a problem: ${problems[*]}"

note_not_run linux32 "libjpeg-dev:i386 could not be installed: E: broken" 2>"$work/err"
record_stage linux32 3 "not run: libjpeg-dev:i386 could not be installed: E: broken"
[[ $(cat "$work/err") == *"NOT RUN: linux32: libjpeg-dev:i386"* ]] || fail "a stage not run is not said loudly"
[[ ${#problems[@]} -eq 1 ]] || fail "a stage not run counts as a problem"
[[ $(print_stage_table) == *"linux32"*"0:03  not run: libjpeg-dev:i386 could not be installed"* ]] ||
  fail "the stage table does not name the stage not run: $(print_stage_table)"
[[ $(print_closing_line 2>/dev/null) == "17 passed, 1 failed, 3 skipped" ]] ||
  fail "closing line: $(print_closing_line 2>/dev/null)"

# No summary line at all (nothing was built) is a problem, not a pass.
echo "No tests were found!!!" >"$work/empty.log"
count_results clang "$work/empty.log" 8 2>/dev/null
[[ ${#problems[@]} -eq 2 ]] || fail "a ctest run without a summary is not a problem"

# Packages missing: an optional stage is not run, the normal build fails
# the run (without it nothing was verified).
stage_without_packages win32 1 "wine32:i386 could not be installed: E: broken" 2>/dev/null
[[ $? -eq 2 && ${#problems[@]} -eq 2 ]] || fail "a win32 stage without packages is not just left out"
stage_without_packages "normal build" 1 "cmake could not be installed: E: broken" 2>/dev/null
[[ $? -eq 1 && ${#problems[@]} -eq 3 ]] || fail "a normal build without packages does not fail the run"
[[ $(print_closing_line 2>/dev/null) == "17 passed, 2 failed, 4 skipped" ]] ||
  fail "closing line after stages without packages: $(print_closing_line 2>/dev/null)"

[[ $failures -eq 0 ]] && echo "test-report: all cases passed"
exit $((failures > 0))
