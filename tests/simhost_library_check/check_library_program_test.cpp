// The simhost program's check-library command as a pack author runs it:
// what it prints and the exit status it ends with.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "command_runner.h"
#include "library_check_support.h"
#include "test_library.h"

namespace lumidrome_test {
namespace {

// Runs the program with the arguments (already quoted as the shell needs);
// standard error is left out of the output.
CommandRun RunProgram(const std::string& arguments) {
  return RunCommand(ProgramCommand(SIMHOST_PROGRAM) + " check-library " + arguments +
                    " 2>/dev/null");
}

const std::string kDemoLibrary = std::string(LUMIDROME_SOURCE_DIR) + "/Packs";

TEST(CheckLibraryProgram, CommittedDemoLibraryPasses) {
  CommandRun text = RunProgram(ShellQuoted(kDemoLibrary));
  EXPECT_EQ(text.exit_status, 0) << text.output;
  EXPECT_NE(text.output.find("Pack 0: "), std::string::npos);
  EXPECT_NE(
      text.output.find(
          " fine, 0 broken, 0 broken in small mode, 0 with fallbacks only; 0 library and pack "
          "problems, 0 ignored"),
      std::string::npos)
      << text.output;

  CommandRun json = RunProgram("--json " + ShellQuoted(kDemoLibrary));
  ASSERT_EQ(json.exit_status, 0);
  nlohmann::json report = nlohmann::json::parse(json.output);
  EXPECT_EQ(report.at("summary").at("packs"), 3);
  EXPECT_GT(report.at("summary").at("tiles"), 0);
  EXPECT_EQ(report.at("summary").at("fine"), report.at("summary").at("tiles"));
  EXPECT_EQ(report.at("exit_status"), 0);
}

TEST(CheckLibraryProgram, ExitsWithOneWhenAClickCanShowTheBrokenAssetMessage) {
  TempFolder faulty;
  WriteFaultyLibrary(faulty.path());
  CommandRun run = RunProgram("--json " + ShellQuoted(faulty.path().string()));
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(nlohmann::json::parse(run.output).at("exit_status"), 1);

  // Only tags in small mode fail: that still shows the message.
  TempFolder small;
  TestLibrary library(small.path());
  library.AddPack("P");
  TileFiles files;
  files.small_hdri = false;
  library.AddTile("P", "Sky", files);
  EXPECT_EQ(RunProgram(ShellQuoted(small.path().string())).exit_status, 1);
}

TEST(CheckLibraryProgram, FallbacksAloneDoNotFail) {
  TempFolder folder;
  TestLibrary library(folder.path());
  library.AddPack("P");
  TileFiles files;
  files.background = files.medium = files.small = false;
  library.AddTile("P", "Sky", files);
  TestLibrary(folder.path()).AddPack("Empty");
  WriteBytes(folder.path() / "readme.txt", "");
  CommandRun run = RunProgram(ShellQuoted(folder.path().string()));
  EXPECT_EQ(run.exit_status, 0) << run.output;
  EXPECT_NE(run.output.find("1 with fallbacks only; 1 library and pack problem, 1 ignored entry"),
            std::string::npos)
      << run.output;
}

TEST(CheckLibraryProgram, UsageErrorsAndUnreadableFoldersExitWithTwo) {
  TempFolder folder;
  WriteBytes(folder.path() / "plain.txt", "");
  EXPECT_EQ(RunProgram("").exit_status, 2);
  EXPECT_EQ(RunProgram(ShellQuoted((folder.path() / "absent").string())).exit_status, 2);
  EXPECT_EQ(RunProgram(ShellQuoted((folder.path() / "plain.txt").string())).exit_status, 2);
  EXPECT_EQ(RunProgram(ShellQuoted(folder.path().string()) + " second").exit_status, 2);
  EXPECT_EQ(RunProgram("--frobnicate " + ShellQuoted(folder.path().string())).exit_status, 2);
  CommandRun run = RunProgram("--json " + ShellQuoted((folder.path() / "absent").string()));
  EXPECT_EQ(run.exit_status, 2);
  EXPECT_EQ(run.output, "");
}

}  // namespace
}  // namespace lumidrome_test
