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
#include "temp_folder.h"

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
  // With a file, the text goes to the terminal and the JSON into the file.
  lumidrome_test::TempFolder folder("validate-list");
  const fs::path list_file = folder.path() / "checks.json";
  const ProgramRun to_file =
      Simhost("validate --rounds 8 --list --json '" + list_file.string() + "'");
  EXPECT_EQ(to_file.status, 0);
  EXPECT_TRUE(Has(to_file, "load-unload-x8  ")) << to_file.output;
  std::ifstream written(list_file);
  const std::string text((std::istreambuf_iterator<char>(written)), {});
  EXPECT_TRUE(text.find("\"name\": \"load-unload-x8\"") != std::string::npos) << text;

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

// A CI job whose variables came out empty or wrong stops at once, before any
// check runs, instead of passing with nothing run or losing its results.
TEST(ValidateProgram, SelectionsThatRunNothingAndUnwritableReportsAreRefusedFirst) {
  lumidrome_test::TempFolder folder("validate-refused");
  const std::string missing_folder = (folder.path() / "no" / "results.xml").string();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"--exclude ''", "simhost validate: nothing selected: --exclude \"\" leaves out every check"},
      {"--only start --exclude start",
       "simhost validate: nothing selected: --exclude \"start\" leaves out every check that "
       "--only \"start\" picks"},
      {"--junit '" + missing_folder + "'",
       "simhost validate: --junit: cannot write " + missing_folder},
      {"--json '" + folder.path().string() + "'",
       "simhost validate: --json: " + folder.path().string() + " is a folder"},
      {"--junit ''", "simhost validate: --junit: the file name is empty"},
  };
  for (const auto& [options, message] : cases) {
    const ProgramRun run = Validate(LUMIDROME_R17_FOLDER, options, true);
    EXPECT_EQ(run.status, 2) << options;
    EXPECT_EQ(run.output.rfind(message, 0), 0u) << options << ": " << run.output;
    EXPECT_FALSE(Has(run, "validating")) << options << ": " << run.output;
  }
  EXPECT_FALSE(fs::exists(missing_folder));
  const ProgramRun list_junit = Simhost("validate --list --junit results.xml", true);
  EXPECT_EQ(list_junit.status, 2) << list_junit.output;
}

// Option errors name the option, what was given and what fits, the same in
// every command; none shows the parser's internals.
TEST(ValidateProgram, OptionErrorsSayWhatWasGivenAndWhatFits) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"validate --rounds abc",
       "simhost validate: --rounds: \"abc\" is not a number: expected a whole number from 1 to "
       "100000\n"},
      {"validate --seed -1",
       "simhost validate: --seed: -1 is out of range: expected a whole number from 0 to "
       "4294967295\n"},
      {"session --seed 1.5",
       "simhost session: --seed: \"1.5\" is not a number: expected a whole number from 0 to "
       "4294967295\n"},
      {"validate --timeout 0",
       "simhost validate: --timeout: 0 is out of range: expected a whole number from 1 to "
       "86400\n"},
      {"session --host-version 18011x",
       "simhost session: --host-version: \"18011x\" is not a number: expected a whole number "
       "from 1 to 999999\n"},
      {"validate --hdri-plugin gone",
       "simhost validate: --hdri-plugin: expected present, missing or other-type\n"},
      {"session --dir-order up",
       "simhost session: --dir-order: expected native, sorted, reverse or shuffle\n"},
  };
  for (const auto& [arguments, message] : cases) {
    const std::string command = arguments.substr(0, arguments.find(' '));
    const ProgramRun run =
        Simhost(arguments + " '" + std::string(LUMIDROME_R17_FOLDER) + "'", true);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.output, message + "Run simhost " + command + " --help for the options.\n")
        << arguments;
  }
  const ProgramRun extra = Simhost("check-library --jsn /tmp", true);
  EXPECT_EQ(
      extra.output.rfind("simhost check-library: --jsn is not expected here: no such option", 0),
      0u)
      << extra.output;
  const ProgramRun extras =
      Simhost("validate '" + std::string(LUMIDROME_R17_FOLDER) + "' one two", true);
  EXPECT_TRUE(Has(extras, ": one two are not expected here")) << extras.output;
  const ProgramRun missing = Simhost("validate --rounds", true);
  EXPECT_EQ(missing.output.rfind("simhost validate: --rounds: a NUMBER is needed after it\n", 0),
            0u)
      << missing.output;
  const ProgramRun help = Simhost("validate --help");
  EXPECT_TRUE(Has(help, "--rounds NUMBER=40")) << help.output;
  EXPECT_FALSE(Has(help, "->") || Has(help, " in [")) << help.output;
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
  // Two modules: a host would load one, so the checks would test one of
  // them; both are named and nothing runs.
  const std::string module = "Lumidrome.so";
  fs::copy(LUMIDROME_R17_FOLDER, root / "Two", fs::copy_options::recursive);
  fs::copy_file(root / "Two" / module, root / "Two" / ("Old" + module));
  const ProgramRun two = Validate((root / "Two").string(), "", true);
  EXPECT_EQ(two.status, 2);
  EXPECT_TRUE(Has(two, "holds 2 modules, " + module + " and Old" + module)) << two.output;
  EXPECT_FALSE(Has(two, "PASS")) << two.output;
  // Without res/ the module cannot load its dialogs and strings.
  fs::copy(LUMIDROME_R17_FOLDER, root / "NoRes", fs::copy_options::recursive);
  fs::remove_all(root / "NoRes" / "res");
  const ProgramRun no_res = Validate((root / "NoRes").string(), "", true);
  EXPECT_EQ(no_res.status, 2);
  EXPECT_TRUE(Has(no_res, "has no res/ folder")) << no_res.output;
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
