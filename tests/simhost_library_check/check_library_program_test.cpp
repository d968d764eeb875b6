// The simhost program's check-library command as a pack author runs it:
// what it prints and the exit status it ends with.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "command_runner.h"
#include "library_check_support.h"
#include "test_library.h"
#include "utf8_path.h"

namespace lumidrome_test {
namespace {

// Runs the program with the arguments; standard error is left out of the
// output.
CommandRun CheckLibrary(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), {SIMHOST_PROGRAM, "check-library"});
  return RunProgram(arguments);
}

const std::string kDemoLibrary = Utf8(PathOf(LUMIDROME_SOURCE_DIR) / "Packs");

TEST(CheckLibraryProgram, CommittedDemoLibraryPasses) {
  CommandRun text = CheckLibrary({kDemoLibrary});
  EXPECT_EQ(text.exit_status, 0) << text.output;
  EXPECT_NE(text.output.find("Pack 0: "), std::string::npos);
  EXPECT_NE(
      text.output.find(
          " fine, 0 broken, 0 broken in small mode, 0 with fallbacks only; 0 library and pack "
          "problems, 0 ignored"),
      std::string::npos)
      << text.output;

  CommandRun json = CheckLibrary({"--json", kDemoLibrary});
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
  CommandRun run = CheckLibrary({"--json", Utf8(faulty.path())});
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(nlohmann::json::parse(run.output).at("exit_status"), 1);

  // Only tags in small mode fail: that still shows the message.
  TempFolder small;
  TestLibrary library(small.path());
  library.AddPack("P");
  TileFiles files;
  files.small_hdri = false;
  library.AddTile("P", "Sky", files);
  EXPECT_EQ(CheckLibrary({Utf8(small.path())}).exit_status, 1);
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
  CommandRun run = CheckLibrary({Utf8(folder.path())});
  EXPECT_EQ(run.exit_status, 0) << run.output;
  EXPECT_NE(run.output.find("1 with fallbacks only; 1 library and pack problem, 1 ignored entry"),
            std::string::npos)
      << run.output;
}

// An HDRI cut among its rows keeps a whole header: only --deep finds it.
TEST(CheckLibraryProgram, DeepDecodesEveryHdri) {
  TempFolder folder;
  TestLibrary library(folder.path());
  library.AddPack("P");
  library.AddTile("P", "Sky");
  const std::string hdri = TinyHdri(".hdr", 64, 32);
  WriteBytes(folder.path() / "P" / "HDRIs" / "Sky.hdr", hdri.substr(0, hdri.size() / 2));

  CommandRun headers = CheckLibrary({Utf8(folder.path())});
  EXPECT_EQ(headers.exit_status, 0) << headers.output;
  EXPECT_NE(headers.output.find("HDRIs: headers and sizes checked"), std::string::npos);
  CommandRun deep = CheckLibrary({"--deep", Utf8(folder.path())});
  EXPECT_EQ(deep.exit_status, 1) << deep.output;
  EXPECT_NE(deep.output.find("broken [undecodable_hdri]: \"Sky.hdr\" does not load (the file "
                             "ends in row "),
            std::string::npos)
      << deep.output;
}

TEST(CheckLibraryProgram, UsageErrorsAndUnreadableFoldersExitWithTwo) {
  TempFolder folder;
  WriteBytes(folder.path() / "plain.txt", "");
  EXPECT_EQ(CheckLibrary({}).exit_status, 2);
  EXPECT_EQ(CheckLibrary({Utf8(folder.path() / "absent")}).exit_status, 2);
  EXPECT_EQ(CheckLibrary({Utf8(folder.path() / "plain.txt")}).exit_status, 2);
  EXPECT_EQ(CheckLibrary({Utf8(folder.path()), "second"}).exit_status, 2);
  EXPECT_EQ(CheckLibrary({"--frobnicate", Utf8(folder.path())}).exit_status, 2);
  CommandRun run = CheckLibrary({"--json", Utf8(folder.path() / "absent")});
  EXPECT_EQ(run.exit_status, 2);
  EXPECT_EQ(run.output, "");
}

}  // namespace
}  // namespace lumidrome_test
