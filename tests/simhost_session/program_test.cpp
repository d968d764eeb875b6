// The simhost program's session command as people run it: scripts, standard
// input, the exit status and the user folder taken from the plug-in folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "session_test_support.h"

namespace session_test {
namespace {

using lumidrome_test::Build;
using lumidrome_test::PathOf;
using lumidrome_test::PluginFixture;
using lumidrome_test::Utf8;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(SessionProgram, ScriptsRunInOrderAndTheStatusTellsWhetherOneFailed) {
  PluginFixture fixture(Build::R17);
  const std::string plugin = Utf8(fixture.plugin_folder());
  WriteText(TempFile(fixture, "good.simhost"), "open\nsize Small\n");
  WriteText(TempFile(fixture, "bad.simhost"), "size Tiny\necho still here\n");
  // The plug-in lies in <user>/plugins/, so the browser opens without a
  // --user-folder.
  ProgramRun good = RunProgram(fixture, {plugin, "good.simhost"}, "");
  EXPECT_EQ(good.exit_status, 0) << good.output;
  EXPECT_TRUE(Has(good.output, "> size Small\nbrowser: pack ")) << good.output;
  EXPECT_FALSE(Has(good.output, "[message]")) << good.output;

  ProgramRun bad = RunProgram(fixture, {plugin, "good.simhost", "bad.simhost"}, "");
  EXPECT_EQ(bad.exit_status, 1) << bad.output;
  EXPECT_TRUE(Has(bad.output, "still here")) << bad.output;

  ProgramRun missing = RunProgram(fixture, {plugin, "nowhere.simhost"}, "");
  EXPECT_EQ(missing.exit_status, 1);
  EXPECT_TRUE(Has(missing.output, "error: cannot read the script nowhere.simhost"))
      << missing.output;
}

TEST(SessionProgram, StandardInputIsAScriptAndQuitEndsEverything) {
  PluginFixture fixture(Build::R17);
  const std::string plugin = Utf8(fixture.plugin_folder());
  ProgramRun piped = RunProgram(fixture, {plugin}, "open\nquit\necho never\n");
  EXPECT_EQ(piped.exit_status, 0) << piped.output;
  EXPECT_TRUE(Has(piped.output, "> open\n")) << piped.output;
  EXPECT_FALSE(Has(piped.output, "never")) << piped.output;

  // Without a terminal --interactive ends after the scripts.
  WriteText(TempFile(fixture, "one.simhost"), "echo one\n");
  ProgramRun dash = RunProgram(fixture, {"-i", plugin, "one.simhost", "-"}, "echo two\n");
  EXPECT_EQ(dash.exit_status, 0) << dash.output;
  EXPECT_TRUE(Has(dash.output, "one\n> echo two\ntwo\n(standard input is not a terminal"))
      << dash.output;
}

TEST(SessionProgram, AnR14ModuleOnANewHostSaysWhyThereIsNoBrowser) {
  PluginFixture fixture(Build::R14);
  const std::string plugin = Utf8(fixture.plugin_folder());
  ProgramRun newer = RunProgram(fixture, {plugin}, "open\n");
  EXPECT_EQ(newer.exit_status, 1);
  EXPECT_TRUE(Has(newer.output, "try --host-version 14042")) << newer.output;
  ProgramRun older = RunProgram(fixture, {"--host-version", "14042", plugin}, "open\n");
  EXPECT_EQ(older.exit_status, 0) << older.output;
}

TEST(SessionProgram, ScriptErrorsNameTheScriptAndTheLine) {
  PluginFixture fixture(Build::R17);
  const std::string plugin = Utf8(fixture.plugin_folder());
  WriteText(TempFile(fixture, "bad.simhost"), "echo a\n\nsize Tiny\necho \"open\n");
  ProgramRun run = RunProgram(fixture, {plugin, "bad.simhost"}, "");
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_TRUE(Has(run.output, "bad.simhost:3: error: size: ")) << run.output;
  EXPECT_TRUE(Has(run.output, "bad.simhost:4: error: unterminated quote")) << run.output;
  ProgramRun piped = RunProgram(fixture, {plugin}, "frobnicate\n");
  EXPECT_TRUE(Has(piped.output, "standard input:1: error: frobnicate: unknown command"))
      << piped.output;
}

// A plug-in folder outside a plugins/ folder gets a temporary user folder:
// nothing is left in the current folder.
TEST(SessionProgram, LoosePluginFolderUsesATemporaryUserFolder) {
  PluginFixture fixture(Build::R17);
  const std::filesystem::path loose = TempFile(fixture, "loose/Lumidrome");
  std::filesystem::create_directories(loose.parent_path());
  std::filesystem::copy(fixture.plugin_folder(), loose, std::filesystem::copy_options::recursive);
  ProgramRun run = RunProgram(fixture, {Utf8(loose)}, "open shift-ctrl\n");
  EXPECT_EQ(run.exit_status, 0) << run.output;
  const std::string marker = "note: user folder ";
  const size_t at = run.output.find(marker);
  ASSERT_NE(at, std::string::npos) << run.output;
  const size_t end = run.output.find(" (temporary", at);
  ASSERT_NE(end, std::string::npos) << run.output;
  const std::string temporary = run.output.substr(at + marker.size(), end - at - marker.size());
  EXPECT_FALSE(std::filesystem::exists(temporary)) << temporary;
  EXPECT_FALSE(std::filesystem::exists(TempFile(fixture, "out"))) << run.output;
}

// The simhost program with any arguments, in the current folder.
ProgramRun Simhost(const PluginFixture&, std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), SIMHOST_PROGRAM);
  lumidrome_test::ProgramStart start;
  start.with_errors = true;
  return lumidrome_test::RunProgram(arguments, start);
}

TEST(SimhostCommandLine, VersionHelpAndUsageErrorsReadTheSameEverywhere) {
  PluginFixture fixture(Build::R17);
  for (const char* command : {"", "validate", "check-library"}) {
    std::vector<std::string> arguments = {"--version"};
    if (*command != '\0') arguments.insert(arguments.begin(), command);
    const ProgramRun run = Simhost(fixture, arguments);
    EXPECT_EQ(run.exit_status, 0) << command;
    EXPECT_EQ(run.output.rfind(std::string("simhost ") + LUMIDROME_VERSION + " ", 0), 0u)
        << command << ": " << run.output;
  }
  const ProgramRun help = Simhost(fixture, {"help", "validate"});
  EXPECT_EQ(help.exit_status, 0);
  EXPECT_TRUE(Has(help.output, "--exclude")) << help.output;
  EXPECT_TRUE(Has(Simhost(fixture, {"help"}).output, "check-library"));

  const std::string plugin = Utf8(fixture.plugin_folder());
  const ProgramRun edition = Simhost(fixture, {"session", "--edition", "studi0", plugin});
  EXPECT_EQ(edition.exit_status, 2);
  EXPECT_EQ(edition.output,
            "simhost session: --edition: expected prime, bodypaint, studio, visualize, "
            "broadcast or a number\nRun simhost session --help for the options.\n");
  const ProgramRun studio =
      Simhost(fixture, {"session", "--edition", "STUDIO", "--os", "3", plugin});
  EXPECT_EQ(studio.exit_status, 0) << studio.output;
  const ProgramRun nothing = Simhost(fixture, {});
  EXPECT_EQ(nothing.exit_status, 2);
  EXPECT_EQ(nothing.output.rfind("simhost: a command is needed: session, validate", 0), 0u)
      << nothing.output;
  const ProgramRun rounds = Simhost(fixture, {"validate", "--rounds", "0", plugin});
  EXPECT_EQ(rounds.exit_status, 2);
  EXPECT_EQ(rounds.output.rfind("simhost validate: --rounds: ", 0), 0u) << rounds.output;
  EXPECT_EQ(Simhost(fixture, {"help", "nosuch"}).exit_status, 2);
}

}  // namespace
}  // namespace session_test
