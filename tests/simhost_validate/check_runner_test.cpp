// Each check runs in a child process: how it ended becomes its result.
#include "validate/check_runner.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <random>
#include <stdexcept>
#include <vector>

#include "validate/seeded_random.h"

namespace simhost_app {
namespace {

TEST(CheckRunner, PassingFailingAndSkippedChecksKeepTheirResults) {
  CheckResult passed = RunIsolated([](StepLog&) { return CheckResult{}; }, 30);
  EXPECT_EQ(passed.status, CheckStatus::kPass);
  CheckResult failed = RunIsolated(
      [](StepLog&) {
        Findings findings;
        findings.ExpectEq(4, 5, "action 4");
        findings.Expect(false, "name \xff\xfe in bad text");
        return findings.Result();
      },
      30);
  EXPECT_EQ(failed.status, CheckStatus::kFail);
  EXPECT_EQ(failed.detail.rfind("action 4 gave 4, expected 5; name ", 0), 0u) << failed.detail;
  EXPECT_EQ(RunIsolated([](StepLog&) { return Skipped("why"); }, 30).status, CheckStatus::kSkip);
}

TEST(CheckRunner, CrashHangAndExceptionHaveTheirOwnKindsAndNameTheStep) {
  CheckResult crashed = RunIsolated(
      [](StepLog& steps) {
        steps.Step("first");
        steps.Step("clicking tile 6003");
        std::raise(SIGSEGV);
        return CheckResult{};
      },
      30);
  EXPECT_EQ(crashed.status, CheckStatus::kCrash);
  // "crashed with signal 11 ..." or, under the sanitizer, "crashed: SUMMARY: ... SEGV ...".
  EXPECT_EQ(crashed.detail.rfind("crashed", 0), 0u) << crashed.detail;
  EXPECT_TRUE(crashed.detail.find("signal 11") != std::string::npos ||
              crashed.detail.find("SEGV") != std::string::npos)
      << crashed.detail;
  EXPECT_NE(crashed.detail.find("(during: clicking tile 6003)"), std::string::npos);
  CheckResult hung = RunIsolated(
      [](StepLog& steps) {
        steps.Step("waiting forever");
        for (volatile bool forever = true; forever;) {
        }
        return CheckResult{};
      },
      1);
  EXPECT_EQ(hung.status, CheckStatus::kTimeout);
  EXPECT_EQ(hung.detail, "hung: no answer within 1 s (during: waiting forever)");
  CheckResult thrown =
      RunIsolated([](StepLog&) -> CheckResult { throw std::runtime_error("no"); }, 30);
  EXPECT_EQ(thrown.status, CheckStatus::kFail);
  EXPECT_EQ(thrown.detail, "the check stopped on an exception");
}

// The same seed must give the same steps with any standard library, so the
// numbers are pinned here, not only compared between two runs.
TEST(SeededRandom, DrawsArePinnedAndStayInRange) {
  std::mt19937 engine(7);
  std::vector<int32_t> drawn;
  for (int i = 0; i < 6; ++i) drawn.push_back(SeededInt(engine, 1, 3000));
  EXPECT_EQ(drawn, (std::vector<int32_t>{616, 893, 722, 1287, 284, 1348}));
  std::mt19937 wide(1);
  for (int i = 0; i < 1000; ++i) {
    const int32_t value = SeededInt(wide, -5, 5);
    ASSERT_TRUE(value >= -5 && value <= 5) << value;
  }
  EXPECT_EQ(SeededInt(wide, 9, 9), 9);
  const int32_t any = SeededInt(wide, INT32_MIN, INT32_MAX);
  (void)any;  // the full range draws without overflow
}

}  // namespace
}  // namespace simhost_app
