// The simhost program's session command as people run it: scripts, standard
// input, the exit status and the user folder taken from the plug-in folder.
#include <gtest/gtest.h>

#include "session_test_support.h"

namespace session_test {
namespace {

using lumidrome_test::Build;
using lumidrome_test::PluginFixture;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(SessionProgram, ScriptsRunInOrderAndTheStatusTellsWhetherOneFailed) {
  PluginFixture fixture(Build::R17);
  const std::string plugin = "'" + fixture.plugin_folder().string() + "' ";
  WriteText(TempFile(fixture, "good.simhost"), "open\nsize Small\n");
  WriteText(TempFile(fixture, "bad.simhost"), "size Tiny\necho still here\n");
  // The plug-in lies in <user>/plugins/, so the browser opens without a
  // --user-folder.
  ProgramRun good = RunProgram(fixture, plugin + "good.simhost", "");
  EXPECT_EQ(good.exit_status, 0) << good.output;
  EXPECT_TRUE(Has(good.output, "> size Small\nbrowser: pack ")) << good.output;
  EXPECT_FALSE(Has(good.output, "[message]")) << good.output;

  ProgramRun bad = RunProgram(fixture, plugin + "good.simhost bad.simhost", "");
  EXPECT_EQ(bad.exit_status, 1) << bad.output;
  EXPECT_TRUE(Has(bad.output, "still here")) << bad.output;

  ProgramRun missing = RunProgram(fixture, plugin + "nowhere.simhost", "");
  EXPECT_EQ(missing.exit_status, 1);
  EXPECT_TRUE(Has(missing.output, "error: cannot read the script nowhere.simhost"))
      << missing.output;
}

TEST(SessionProgram, StandardInputIsAScriptAndQuitEndsEverything) {
  PluginFixture fixture(Build::R17);
  const std::string plugin = "'" + fixture.plugin_folder().string() + "' ";
  ProgramRun piped = RunProgram(fixture, plugin, "open\nquit\necho never\n");
  EXPECT_EQ(piped.exit_status, 0) << piped.output;
  EXPECT_TRUE(Has(piped.output, "> open\n")) << piped.output;
  EXPECT_FALSE(Has(piped.output, "never")) << piped.output;

  // Without a terminal --interactive ends after the scripts.
  WriteText(TempFile(fixture, "one.simhost"), "echo one\n");
  ProgramRun dash = RunProgram(fixture, "-i " + plugin + "one.simhost -", "echo two\n");
  EXPECT_EQ(dash.exit_status, 0) << dash.output;
  EXPECT_TRUE(Has(dash.output, "one\n> echo two\ntwo\n(standard input is not a terminal"))
      << dash.output;
}

TEST(SessionProgram, AnR14ModuleOnANewHostSaysWhyThereIsNoBrowser) {
  PluginFixture fixture(Build::R14);
  const std::string plugin = "'" + fixture.plugin_folder().string() + "' ";
  ProgramRun newer = RunProgram(fixture, plugin, "open\n");
  EXPECT_EQ(newer.exit_status, 1);
  EXPECT_TRUE(Has(newer.output, "try --host-version 14042")) << newer.output;
  ProgramRun older = RunProgram(fixture, "--host-version 14042 " + plugin, "open\n");
  EXPECT_EQ(older.exit_status, 0) << older.output;
}

}  // namespace
}  // namespace session_test
