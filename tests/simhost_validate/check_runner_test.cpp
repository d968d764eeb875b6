// Each check runs in a child process: how it ended becomes its result.
#include "validate/check_runner.h"

#include <gtest/gtest.h>

#include <csignal>
#include <stdexcept>

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

TEST(CheckRunner, CrashHangAndExceptionBecomeFailuresNamingTheStep) {
  CheckResult crashed = RunIsolated(
      [](StepLog& steps) {
        steps.Step("first");
        steps.Step("clicking tile 6003");
        std::raise(SIGSEGV);
        return CheckResult{};
      },
      30);
  EXPECT_EQ(crashed.status, CheckStatus::kFail);
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
  EXPECT_EQ(hung.detail, "hung: no answer within 1 s (during: waiting forever)");
  CheckResult thrown =
      RunIsolated([](StepLog&) -> CheckResult { throw std::runtime_error("no"); }, 30);
  EXPECT_EQ(thrown.detail, "the check stopped on an exception");
}

}  // namespace
}  // namespace simhost_app
