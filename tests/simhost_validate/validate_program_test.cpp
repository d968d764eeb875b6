// simhost validate run as a program on the built modules and on modules
// broken on purpose: each fault is caught by its own check and only there.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace lumidrome_test {
namespace {

namespace fs = std::filesystem;

struct ProgramRun {
  int status = -1;
  std::string output;
};

ProgramRun Validate(const std::string& folder, const std::string& options = "") {
  const std::string command = std::string("'") + SIMHOST_PROGRAM + "' validate --rounds 8 " +
                              options + " '" + folder + "' 2>/dev/null";
  ProgramRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, got);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string Broken(const std::string& fault) {
  return std::string(BROKEN_MODULES_DIR) + "/" + fault + "/Lumidrome";
}

bool Has(const ProgramRun& run, const std::string& text) {
  return run.output.find(text) != std::string::npos;
}

bool Sanitized() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#else
  return false;
#endif
}

TEST(ValidateProgram, BuiltModulesPassEveryCheck) {
  const ProgramRun r17 = Validate(LUMIDROME_R17_FOLDER);
  EXPECT_EQ(r17.status, 0) << r17.output;
  EXPECT_TRUE(Has(r17, "PASS interface-versions (build for R17")) << r17.output;
  EXPECT_TRUE(Has(r17, "PASS random-library-changes")) << r17.output;
  EXPECT_TRUE(Has(r17, "16 checks: 16 passed, 0 failed, 0 skipped (R17 build, host version 18011)"))
      << r17.output;
  // Builds for R14 are checked on the newest host that runs them.
  const ProgramRun r14 = Validate(LUMIDROME_R14_FOLDER);
  EXPECT_EQ(r14.status, 0) << r14.output;
  EXPECT_TRUE(Has(r14, "16 checks: 16 passed, 0 failed, 0 skipped (R14 build, host version 16999)"))
      << r14.output;
}

TEST(ValidateProgram, R14BuildOnANewHostSkipsTheBrowser) {
  const ProgramRun run = Validate(LUMIDROME_R14_FOLDER, "--host-version 18011");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_TRUE(Has(run, "PASS start\n")) << run.output;
  EXPECT_TRUE(Has(run, "SKIP browser-open-close-x8: no browser command on this host"))
      << run.output;
  EXPECT_TRUE(Has(run, "SKIP random-clicks")) << run.output;
}

TEST(ValidateProgram, SameSeedSameRun) {
  const ProgramRun first = Validate(LUMIDROME_R17_FOLDER, "--seed 7 --only random");
  const ProgramRun second = Validate(LUMIDROME_R17_FOLDER, "--seed 7 --only random");
  EXPECT_EQ(first.status, 0) << first.output;
  EXPECT_EQ(first.output, second.output);
  EXPECT_TRUE(Has(first, "40 steps, seed 7")) << first.output;
}

TEST(ValidateProgram, ExtraExportIsCaughtByTheExportCheckAlone) {
  const ProgramRun run = Validate(Broken("extra_export"));
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run,
                  "FAIL exports: exports c4d_main, lumidrome_debug_counter; only c4d_main "
                  "may be exported"))
      << run.output;
  EXPECT_TRUE(Has(run, "15 passed, 1 failed")) << run.output;
}

TEST(ValidateProgram, WrongAnswerToAction4IsCaught) {
  const ProgramRun run = Validate(Broken("wrong_version_answer"));
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run, "FAIL actions: action 4 gave 4, expected 5")) << run.output;
  EXPECT_TRUE(Has(run, "PASS exports")) << run.output;
  EXPECT_TRUE(Has(run, "15 passed, 1 failed")) << run.output;
}

TEST(ValidateProgram, CrashWhenTheBrowserOpensFailsTheBrowserChecksOnly) {
  const ProgramRun run = Validate(Broken("crash_on_open"));
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run, "FAIL browser-open-close-x8: crashed")) << run.output;
  EXPECT_TRUE(Has(run, "(during: running the browser command)")) << run.output;
  EXPECT_TRUE(Has(run, "FAIL random-clicks: crashed")) << run.output;
  EXPECT_TRUE(Has(run, "PASS load-unload-x8")) << run.output;
  EXPECT_TRUE(Has(run, "10 passed, 6 failed")) << run.output;
}

TEST(ValidateProgram, HangBecomesAFailedCheck) {
  const ProgramRun run = Validate(Broken("hangs_on_message"), "--timeout 3 --only messages");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run, "FAIL messages: hung: no answer within 3 s (during: message 0)"))
      << run.output;
}

TEST(ValidateProgram, LeakIsCaughtUnderTheSanitizer) {
  if (!Sanitized()) GTEST_SKIP() << "leaks are found by the sanitizer build only";
  const ProgramRun run = Validate(Broken("leaks_at_start"), "--only start");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run, "FAIL start: leaked memory")) << run.output;
}

TEST(ValidateProgram, FolderWithoutModuleFailsAndTheFolderUnderTestStaysUntouched) {
  const fs::path root = fs::temp_directory_path() / ("validate-test-" + std::to_string(getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "Empty");
  const ProgramRun empty = Validate((root / "Empty").string(), "--only exports");
  EXPECT_EQ(empty.status, 1);
  EXPECT_TRUE(Has(empty, "FAIL exports: no module")) << empty.output;
  // The checks write settings files and libraries, but only into copies.
  fs::copy(LUMIDROME_R17_FOLDER, root / "Lumidrome", fs::copy_options::recursive);
  const auto before = fs::last_write_time(root / "Lumidrome" / "res");
  EXPECT_EQ(Validate((root / "Lumidrome").string(), "--only random-choosers").status, 0);
  EXPECT_EQ(fs::last_write_time(root / "Lumidrome" / "res"), before);
  EXPECT_FALSE(fs::exists(root / "Lumidrome" / "res" / "VexaLumidromeRemotePath.hf"));
  fs::remove_all(root);
}

}  // namespace
}  // namespace lumidrome_test
