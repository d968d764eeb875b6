// Each check runs in a child process: how it ended becomes its result.
#include "validate/runner/check_runner.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <filesystem>
#include <iterator>
#include <random>
#include <stdexcept>
#include <vector>

#include "temp_folder.h"
#include "validate/checks/seeded_random.h"
#include "validate/runner/child_process.h"
#include "validate/runner/one_check_mode.h"

namespace simhost_app {
namespace {

// Forked checks: POSIX only; Windows runs them through the one-check mode below.
#ifndef _WIN32

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

#endif

TEST(CheckRunner, HowTheChildEndedBecomesTheResult) {
  const auto ended = [](uint32_t code, const std::string& report = "") {
    return ResultOfChild(ChildEnd{true, 0, code, "loading\nclicking tile 3\n", report, ""}, 9);
  };
  const CheckResult violation = ended(0xC0000005, "crash: exception 0xC0000005 ...");
  EXPECT_EQ(violation.status, CheckStatus::kCrash);
  EXPECT_EQ(violation.detail,
            "crashed with exception 0xC0000005 (ACCESS_VIOLATION) (during: clicking tile 3)");
  EXPECT_EQ(violation.report, "crash: exception 0xC0000005 ...");
  for (uint32_t code : {0xC00000FDu, 0xC000001Du, 0xC0000094u, 0x80000003u, 0xC0001234u}) {
    EXPECT_EQ(ended(code).status, CheckStatus::kCrash) << std::hex << code;
  }
  EXPECT_NE(ended(0xC00000FD).detail.find("(STACK_OVERFLOW)"), std::string::npos);
  EXPECT_NE(ended(0xC0001234).detail.find("(unknown exception)"), std::string::npos);
  const CheckResult status = ended(3);
  EXPECT_EQ(status.status, CheckStatus::kFail);
  EXPECT_EQ(status.detail, "ended with exit status 3 (during: clicking tile 3)");
  EXPECT_EQ(ExceptionName(3), "");
  EXPECT_EQ(ResultOfChild(ChildEnd{false, 0, 1, "waiting\n", "", ""}, 9).detail,
            "hung: no answer within 9 s (during: waiting)");
  const CheckResult signalled = ResultOfChild(ChildEnd{true, 11, 0, "", "", ""}, 9);
  EXPECT_EQ(signalled.status, CheckStatus::kCrash);
  EXPECT_EQ(signalled.detail.rfind("crashed with signal 11 (", 0), 0u) << signalled.detail;
  // Ended well but without its answer: a failure, never a pass.
  EXPECT_EQ(ResultOfChild(ChildEnd{true, 0, 0, "", "", ""}, 9).status, CheckStatus::kFail);
  Findings failing;
  failing.Expect(false, "action 4");
  const std::string json = ResultToJson(failing.Result()).dump();
  EXPECT_EQ(ResultOfChild(ChildEnd{true, 0, 0, "", "", json}, 9).detail, "action 4");
}

// Windows splits its command line itself: each argument must come back whole.
TEST(CheckRunner, WindowsCommandLinesQuoteWhatTheRuntimeWouldSplit) {
  EXPECT_EQ(WindowsCommandLine({"C:\\Program Files\\simhost.exe", "validate", "--one-check"}),
            "\"C:\\Program Files\\simhost.exe\" validate --one-check");
  EXPECT_EQ(WindowsCommandLine({"", "say \"hi\"", "tab\there"}),
            "\"\" \"say \\\"hi\\\"\" \"tab\there\"");
  // Backslashes double only before a quote, including the closing one.
  EXPECT_EQ(WindowsCommandLine({"C:\\a b\\", "C:\\plain\\", "x\\\"y z"}),
            "\"C:\\a b\\\\\" C:\\plain\\ \"x\\\\\\\"y z\"");
}

ValidationSettings UnusualSettings() {
  ValidationSettings settings;
  settings.plugin_folder = "C:\\Users\\J\xc3\xbcrgen\\plug ins\\Lumidrome";
  settings.scratch_folder = "/tmp/scratch \"x\"";
  settings.host = {17000,     1, 1, "user \xe2\x82\xac", "app", simhost::HdriPlugin::kOtherType,
                   "reverse", 77};
  settings.seed = 4000000000u;
  settings.rounds = 3;
  settings.timeout_seconds = 9;
  settings.build = "R14";
  return settings;
}

// The child must run with exactly the parent's settings.
TEST(OneCheckMode, SettingsSurviveTheRequestAndUnknownRequestsAreRefused) {
  const ValidationSettings sent = UnusualSettings();
  const ValidationSettings got =
      SettingsFromJson(nlohmann::json::parse(CheckRequest("exports", sent).dump()).at("settings"));
  EXPECT_EQ(got.plugin_folder, sent.plugin_folder);
  EXPECT_EQ(got.scratch_folder, sent.scratch_folder);
  EXPECT_EQ(got.seed, sent.seed);
  EXPECT_EQ(got.rounds, sent.rounds);
  EXPECT_EQ(got.timeout_seconds, sent.timeout_seconds);
  EXPECT_EQ(got.build, sent.build);
  EXPECT_EQ(got.host.interface_version, 17000);
  EXPECT_EQ(got.host.edition, 1);
  EXPECT_EQ(got.host.operating_system, 1);
  EXPECT_EQ(got.host.user_folder, sent.host.user_folder);
  EXPECT_EQ(got.host.app_folder, "app");
  EXPECT_EQ(got.host.hdri_plugin, simhost::HdriPlugin::kOtherType);
  EXPECT_EQ(got.host.dir_order, "reverse");
  EXPECT_EQ(got.host.seed, 77u);
  EXPECT_TRUE(CheckOfRequest(CheckRequest("load-unload-x3", sent)));
  EXPECT_TRUE(CheckOfRequest(CheckRequest(kModuleLoadCheck, sent)));
  EXPECT_FALSE(CheckOfRequest(CheckRequest("load-unload-x40", sent)));  // rounds differ
  EXPECT_FALSE(CheckOfRequest({{"name", "exports"}}));
  EXPECT_FALSE(CheckOfRequest(nlohmann::json("exports")));
}

// The Windows way of running a check, tried here with the real program.
TEST(OneCheckMode, TheProgramRunsOneCheckFromItsRequest) {
  lumidrome_test::TempFolder work("one-check-test");
  lumidrome_test::TempFolder scratch("one-check-scratch");
  const std::vector<std::string> command = {SIMHOST_PROGRAM, "validate", "--one-check"};
  ValidationSettings settings;
  settings.plugin_folder = LUMIDROME_R17_FOLDER;
  settings.scratch_folder = scratch.path().string();
  settings.rounds = 1;
  const std::string folder = work.path().string();
  const CheckResult exports =
      RunInChildProcess(command, CheckRequest("exports", settings), folder, 60);
  EXPECT_EQ(exports.status, CheckStatus::kPass) << exports.detail;
  EXPECT_EQ(exports.detail, "c4d_main alone");
  settings.plugin_folder = std::string(BROKEN_MODULES_DIR) + "/crash_on_open/Lumidrome";
  const CheckResult crashed =
      RunInChildProcess(command, CheckRequest("browser-open-close-x1", settings), folder, 60);
  EXPECT_EQ(crashed.status, CheckStatus::kCrash) << crashed.detail;
  EXPECT_NE(crashed.detail.find("(during: running the browser command)"), std::string::npos)
      << crashed.detail;
  const CheckResult unknown = RunInChildProcess(command, "no-such-check", folder, 60);
  EXPECT_EQ(unknown.detail, "ended with exit status 2");
  EXPECT_NE(unknown.report.find("no such check"), std::string::npos) << unknown.report;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(work.path()), {}), 0)
      << "the children's files are left behind";
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
