// simhost validate run as a program on the built modules and on modules
// broken on purpose: each fault is caught by its own check and only there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "command_runner.h"

namespace lumidrome_test {
namespace {

namespace fs = std::filesystem;

struct ProgramRun {
  int status = -1;
  std::string output;
};

// Runs simhost with the arguments; standard error joins the output when
// asked for.
ProgramRun Simhost(const std::string& arguments, bool with_errors = false) {
  const lumidrome_test::CommandRun run =
      lumidrome_test::RunCommand(lumidrome_test::ProgramCommand(SIMHOST_PROGRAM) + " " + arguments +
                                 (with_errors ? " 2>&1" : " 2>/dev/null"));
  return ProgramRun{run.exit_status, run.output};
}

ProgramRun Validate(const std::string& folder, const std::string& options = "",
                    bool with_errors = false) {
  return Simhost("validate --rounds 8 " + options + " '" + folder + "'", with_errors);
}

// The output without the checks' durations, which differ from run to run.
std::string WithoutDurations(const std::string& output) {
  std::string result;
  for (size_t at = 0; at < output.size();) {
    const size_t open = output.find(" [", at);
    const size_t close = open == std::string::npos ? open : output.find(" s]", open);
    const bool duration = close != std::string::npos && close > open + 2 &&
                          output.find_first_not_of("0123456789.", open + 2) == close;
    const size_t end = open == std::string::npos ? output.size() : open;
    result += output.substr(at, end - at);
    if (open == std::string::npos) break;
    if (!duration) result += " [";
    at = duration ? close + 3 : open + 2;
  }
  return result;
}

// The names of the checks that ran, in order, from the PASS/FAIL/... lines.
std::vector<std::string> CheckNames(const std::string& output) {
  std::vector<std::string> names;
  std::istringstream lines(output);
  for (std::string text; std::getline(lines, text);) {
    std::istringstream words(text);
    std::string kind, name;
    words >> kind >> name;
    if (!name.empty() && name.back() == ':') name.pop_back();  // "SKIP name: why"
    const bool result_line =
        kind == "PASS" || kind == "FAIL" || kind == "CRASH" || kind == "TIMEOUT" || kind == "SKIP";
    if (result_line && !name.empty() &&
        name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-") == std::string::npos) {
      names.push_back(name);
    }
  }
  return names;
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

// The check names of the plug-in developers' page's table, rounds given as 8.
std::vector<std::string> DocumentedCheckNames() {
  std::ifstream readme(LUMIDROME_SOURCE_DIR "/docs/plugin-developers.md");
  std::vector<std::string> names;
  bool inside = false;
  for (std::string line; std::getline(readme, line);) {
    if (line.find("validate-checks: begin") != std::string::npos) inside = true;
    if (line.find("validate-checks: end") != std::string::npos) inside = false;
    const size_t end = line.find("` |");
    if (!inside || line.rfind("| `", 0) != 0 || end == std::string::npos) continue;
    std::string name = line.substr(3, end - 3);
    if (name.size() > 3 && name.compare(name.size() - 3, 3, "-xN") == 0) {
      name.replace(name.size() - 1, 1, "8");
    }
    names.push_back(name);
  }
  return names;
}

// The names --list gives for 8 rounds; each line has a description.
std::vector<std::string> ListedChecks() {
  const ProgramRun list = Simhost("validate --rounds 8 --list");
  EXPECT_EQ(list.status, 0) << list.output;
  std::vector<std::string> listed;
  std::istringstream lines(list.output);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_NE(line.find("  "), std::string::npos) << "no description: " << line;
    listed.push_back(line.substr(0, line.find(' ')));
  }
  return listed;
}

TEST(ValidateProgram, BuiltModulesPassEveryCheck) {
  const ProgramRun r17 = Validate(LUMIDROME_R17_FOLDER);
  EXPECT_EQ(r17.status, 0) << r17.output;
  // --list names the checks that run, in the order they run.
  EXPECT_EQ(CheckNames(r17.output), ListedChecks()) << r17.output;
  EXPECT_TRUE(Has(r17, "PASS interface-versions (build for R17")) << r17.output;
  EXPECT_TRUE(Has(r17, "PASS random-library-changes")) << r17.output;
  EXPECT_TRUE(Has(r17, "PASS install-location")) << r17.output;
  EXPECT_TRUE(Has(r17,
                  "17 checks: 17 passed, 0 failed, 0 crashed, 0 timed out, 0 skipped (R17 "
                  "build, host version 18011)"))
      << r17.output;
  // Builds for R14 are checked on the newest host that runs them.
  const ProgramRun r14 = Validate(LUMIDROME_R14_FOLDER);
  EXPECT_EQ(r14.status, 0) << r14.output;
  EXPECT_TRUE(Has(r14,
                  "17 checks: 17 passed, 0 failed, 0 crashed, 0 timed out, 0 skipped (R14 "
                  "build, host version 16999)"))
      << r14.output;
}

TEST(ValidateProgram, ListNamesTheChecksThatRunAndPatternsMustMatchOne) {
  const std::vector<std::string> listed = ListedChecks();
  EXPECT_EQ(listed.size(), 17u);
  EXPECT_EQ(DocumentedCheckNames(), listed);
  const ProgramRun json = Simhost("validate --rounds 8 --list --json -");
  EXPECT_TRUE(Has(json, "\"name\": \"load-unload-x8\"")) << json.output;

  const ProgramRun chosen =
      Validate(LUMIDROME_R14_FOLDER, "--host-version 18011 --only start,scene --exclude refused");
  EXPECT_EQ(CheckNames(chosen.output), (std::vector<std::string>{"start", "scene-hook"}))
      << chosen.output;
  const ProgramRun typo = Validate(LUMIDROME_R17_FOLDER, "--only start --only nomatch", true);
  EXPECT_EQ(typo.status, 2);
  EXPECT_EQ(typo.output.rfind("simhost validate: --only nomatch matches no check", 0), 0u)
      << typo.output;
  EXPECT_EQ(Validate(LUMIDROME_R17_FOLDER, "--exclude nomatch").status, 2);
}

// The JUnit file parses and counts what the text summary counts; the JSON
// file carries the same results.
TEST(ValidateProgram, JUnitAndJsonFilesCountWhatTheTextCounts) {
  const fs::path root = fs::temp_directory_path() / ("validate-files-" + std::to_string(getpid()));
  fs::create_directories(root);
  const std::string junit = (root / "results.xml").string();
  const std::string json = (root / "results.json").string();
  const ProgramRun run =
      Validate(Broken("crash_on_open"),
               "--only browser,start,actions --junit '" + junit + "' --json '" + json + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run, "7 checks: 5 passed, 0 failed, 2 crashed, 0 timed out, 0 skipped"))
      << run.output;
  const std::string python =
      "python3 -c \"import json, sys, xml.etree.ElementTree as ET\n"
      "suite = ET.parse(sys.argv[1]).getroot().find('testsuite')\n"
      "cases = suite.findall('testcase')\n"
      "report = json.load(open(sys.argv[2]))\n"
      "print(suite.get('tests'), suite.get('failures'), suite.get('errors'), "
      "suite.get('skipped'), len(cases), len([c for c in cases if c.find('error') is not None]), "
      "report['summary']['crashed'], [c['status'] for c in report['checks']].count('pass'))\" '" +
      junit + "' '" + json + "'";
  const lumidrome_test::CommandRun counts = lumidrome_test::RunCommand(python);
  EXPECT_EQ(counts.exit_status, 0);
  EXPECT_EQ(counts.output, "7 0 2 0 7 2 2 5\n");
  fs::remove_all(root);
}

TEST(ValidateProgram, HostBelowTheModulesMinimumSkipsWithTheReason) {
  const ProgramRun run = Validate(LUMIDROME_R17_FOLDER, "--host-version 16000");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_TRUE(Has(run, "PASS exports")) << run.output;
  EXPECT_TRUE(Has(run, "SKIP start: host version 16000 is below the module's minimum, 17030"))
      << run.output;
  EXPECT_TRUE(Has(run, "17 checks: 2 passed, 0 failed, 0 crashed, 0 timed out, 15 skipped"))
      << run.output;
}

TEST(ValidateProgram, R14BuildOnANewHostSkipsTheBrowser) {
  const ProgramRun run = Validate(LUMIDROME_R14_FOLDER, "--host-version 18011");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(WithoutDurations(run.output).find("PASS start\n"), std::string::npos) << run.output;
  EXPECT_TRUE(Has(run, "SKIP browser-open-close-x8: no browser command on this host"))
      << run.output;
  EXPECT_TRUE(Has(run, "SKIP random-clicks")) << run.output;
}

TEST(ValidateProgram, SameSeedSameRun) {
  const ProgramRun first = Validate(LUMIDROME_R17_FOLDER, "--seed 7 --only random");
  const ProgramRun second = Validate(LUMIDROME_R17_FOLDER, "--seed 7 --only random");
  EXPECT_EQ(first.status, 0) << first.output;
  EXPECT_EQ(WithoutDurations(first.output), WithoutDurations(second.output));
  EXPECT_TRUE(Has(first, "40 steps, seed 7")) << first.output;
}

// A module that remembers entries by their place in a folder's first listing
// passes on a host that always lists in one order; the random checks list in
// shuffled orders, unless --dir-order names one.
TEST(ValidateProgram, RandomChecksListFoldersInShuffledOrders) {
  const ProgramRun shuffled = Validate(Broken("needs_one_listing_order"), "--only random-choosers");
  EXPECT_EQ(shuffled.status, 1) << shuffled.output;
  EXPECT_TRUE(Has(shuffled, "CRASH random-choosers")) << shuffled.output;
  const ProgramRun one_order =
      Validate(Broken("needs_one_listing_order"), "--only random-choosers --dir-order native");
  EXPECT_EQ(one_order.status, 0) << one_order.output;
}

// A module that opens its browser from the application's own plug-ins
// folder fails the install-location check, and no other.
TEST(ValidateProgram, OpeningFromTheApplicationsPluginsFolderIsCaught) {
  const ProgramRun run = Validate(Broken("ignores_install_location"), "--only start,install");
  EXPECT_EQ(run.status, 1) << run.output;
  EXPECT_TRUE(Has(run, "FAIL install-location")) << run.output;
  EXPECT_TRUE(Has(run, "installed in the application's plug-ins folder, the browser opened"))
      << run.output;
  EXPECT_TRUE(Has(run, "5 checks: 4 passed, 1 failed")) << run.output;
}

TEST(ValidateProgram, ExtraExportIsCaughtByTheExportCheckAlone) {
  const ProgramRun run = Validate(Broken("extra_export"));
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run,
                  "FAIL exports: exports c4d_main, lumidrome_debug_counter; only c4d_main "
                  "may be exported"))
      << run.output;
  EXPECT_TRUE(Has(run, "16 passed, 1 failed")) << run.output;
}

TEST(ValidateProgram, WrongAnswerToAction4IsCaught) {
  const ProgramRun run = Validate(Broken("wrong_version_answer"));
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run, "FAIL actions: action 4 gave 4, expected 5")) << run.output;
  EXPECT_TRUE(Has(run, "PASS exports")) << run.output;
  EXPECT_TRUE(Has(run, "16 passed, 1 failed")) << run.output;
}

TEST(ValidateProgram, CrashWhenTheBrowserOpensFailsTheBrowserChecksOnly) {
  const ProgramRun run = Validate(Broken("crash_on_open"));
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run, "CRASH browser-open-close-x8: crashed")) << run.output;
  EXPECT_TRUE(Has(run, "(during: running the browser command)")) << run.output;
  EXPECT_TRUE(Has(run, "CRASH random-clicks: crashed")) << run.output;
  EXPECT_TRUE(Has(run, "PASS load-unload-x8")) << run.output;
  EXPECT_TRUE(Has(run, "CRASH install-location: crashed")) << run.output;
  EXPECT_TRUE(Has(run, "10 passed, 0 failed, 7 crashed")) << run.output;
}

TEST(ValidateProgram, HangBecomesAFailedCheck) {
  const ProgramRun run = Validate(Broken("hangs_on_message"), "--timeout 3 --only messages");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run, "TIMEOUT messages: hung: no answer within 3 s (during: message 0)"))
      << run.output;
}

TEST(ValidateProgram, LeakIsCaughtUnderTheSanitizer) {
  if (!Sanitized()) GTEST_SKIP() << "leaks are found by the sanitizer build only";
  const ProgramRun run = Validate(Broken("leaks_at_start"), "--only start");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(Has(run, "FAIL start: leaked memory")) << run.output;
}

TEST(ValidateProgram, FolderWithoutLoadableModuleIsOneLineAndTheFolderUnderTestStaysUntouched) {
  const fs::path root = fs::temp_directory_path() / ("validate-test-" + std::to_string(getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "Empty");
  const ProgramRun empty = Validate((root / "Empty").string(), "", true);
  EXPECT_EQ(empty.status, 2);
  EXPECT_EQ(std::count(empty.output.begin(), empty.output.end(), '\n'), 1) << empty.output;
  EXPECT_TRUE(Has(empty, "simhost validate: no loadable module in ")) << empty.output;
  // A library that is no module of this system: the loader's own message.
  fs::create_directories(root / "Foreign");
  std::ofstream(root / "Foreign" / "Lumidrome.so", std::ios::binary) << "not a library";
  const ProgramRun foreign = Validate((root / "Foreign").string(), "", true);
  EXPECT_EQ(foreign.status, 2);
  EXPECT_TRUE(Has(foreign, "Lumidrome.so")) << foreign.output;
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
