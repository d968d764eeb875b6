// The simhost program's check-library command as a pack author runs it:
// what it prints and the exit status it ends with.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "library_check_support.h"
#include "test_library.h"

namespace lumidrome_test {
namespace {

struct ProgramRun {
  int status = -1;
  std::string out;
};

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs the program with the arguments (already quoted as the shell needs);
// standard error is left out of `out`.
ProgramRun RunProgram(const std::string& arguments) {
  std::string command =
      ShellQuoted(SIMHOST_PROGRAM) + " check-library " + arguments + " 2>/dev/null";
  ProgramRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  size_t read = 0;
  while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, read);
  int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

const std::string kDemoLibrary = std::string(LUMIDROME_SOURCE_DIR) + "/Packs";

TEST(CheckLibraryProgram, CommittedDemoLibraryPasses) {
  ProgramRun text = RunProgram(ShellQuoted(kDemoLibrary));
  EXPECT_EQ(text.status, 0) << text.out;
  EXPECT_NE(text.out.find("Pack 0: "), std::string::npos);
  EXPECT_NE(
      text.out.find(
          " fine, 0 broken, 0 broken in small mode, 0 with fallbacks only; 0 library and pack "
          "problems, 0 ignored"),
      std::string::npos)
      << text.out;

  ProgramRun json = RunProgram("--json " + ShellQuoted(kDemoLibrary));
  ASSERT_EQ(json.status, 0);
  nlohmann::json report = nlohmann::json::parse(json.out);
  EXPECT_EQ(report.at("summary").at("packs"), 3);
  EXPECT_GT(report.at("summary").at("tiles"), 0);
  EXPECT_EQ(report.at("summary").at("fine"), report.at("summary").at("tiles"));
  EXPECT_EQ(report.at("exit_status"), 0);
}

TEST(CheckLibraryProgram, ExitsWithOneWhenAClickCanShowTheBrokenAssetMessage) {
  TempFolder faulty;
  WriteFaultyLibrary(faulty.path());
  ProgramRun run = RunProgram("--json " + ShellQuoted(faulty.path().string()));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(nlohmann::json::parse(run.out).at("exit_status"), 1);

  // Only tags in small mode fail: that still shows the message.
  TempFolder small;
  TestLibrary library(small.path());
  library.AddPack("P");
  TileFiles files;
  files.small_hdri = false;
  library.AddTile("P", "Sky", files);
  EXPECT_EQ(RunProgram(ShellQuoted(small.path().string())).status, 1);
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
  ProgramRun run = RunProgram(ShellQuoted(folder.path().string()));
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("1 with fallbacks only; 1 library and pack problem, 1 ignored entry"),
            std::string::npos)
      << run.out;
}

TEST(CheckLibraryProgram, UsageErrorsAndUnreadableFoldersExitWithTwo) {
  TempFolder folder;
  WriteBytes(folder.path() / "plain.txt", "");
  EXPECT_EQ(RunProgram("").status, 2);
  EXPECT_EQ(RunProgram(ShellQuoted((folder.path() / "absent").string())).status, 2);
  EXPECT_EQ(RunProgram(ShellQuoted((folder.path() / "plain.txt").string())).status, 2);
  EXPECT_EQ(RunProgram(ShellQuoted(folder.path().string()) + " second").status, 2);
  EXPECT_EQ(RunProgram("--frobnicate " + ShellQuoted(folder.path().string())).status, 2);
  ProgramRun run = RunProgram("--json " + ShellQuoted((folder.path() / "absent").string()));
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace lumidrome_test
