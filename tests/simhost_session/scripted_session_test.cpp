// Sessions run from scripts against the real built modules, in this
// process: what they print, and what reaches the plug-in and the scene.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/plugin_ids.h"
#include "session_test_support.h"
#include "test_library.h"

namespace session_test {
namespace {

using lumidrome_test::Build;
using lumidrome_test::PluginFixture;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string DemoScript(const std::filesystem::path& picture) {
  std::ifstream file(lumidrome_test::PathOf(LUMIDROME_SOURCE_DIR) / "scripts" / "demo.simhost");
  std::ostringstream text;
  text << file.rdbuf();
  std::string script = text.str();
  const std::string shipped = "out/browser.png";
  const size_t at = script.find(shipped);
  if (at != std::string::npos)
    script.replace(at, shipped.size(), ScriptWord(lumidrome_test::Utf8(picture)));
  return script;
}

TEST(ScriptedSession, DemoScriptRunsOnR17) {
  PluginFixture fixture(Build::R17);
  const std::filesystem::path picture = TempFile(fixture, "shots") / "browser.png";
  std::filesystem::create_directories(picture.parent_path());  // shot makes no folders
  int failures = -1;
  const std::string out = RunScript(fixture, DemoScript(picture), &failures);
  EXPECT_EQ(failures, 0) << out;
  EXPECT_TRUE(Has(out, "[print] Lumidrome V(")) << out;
  EXPECT_TRUE(Has(out, "> open\nbrowser: pack ")) << out;
  EXPECT_TRUE(Has(out, "size \"Medium\" (2), 4 tiles in 3 columns, window 790x500")) << out;
  EXPECT_TRUE(Has(out, "clicking tile ")) << out;
  EXPECT_TRUE(Has(out, "the scene changed (one undo step)")) << out;
  EXPECT_TRUE(Has(out, Printed(lumidrome_test::Native("HDRIs/Soft_Box_01.hdr")) + "\"")) << out;
  EXPECT_TRUE(Has(out, "undone; 0 steps to undo, 1 to redo")) << out;
  EXPECT_TRUE(Has(out, "saved the browser window (790x500) to " + picture.u8string())) << out;
  EXPECT_TRUE(fixture.host().ActiveDocument().AllObjects().empty());
  EXPECT_EQ(ReadPng(picture).width, 790);
}

// R14 builds start only in hosts before 17000, which have no takes.
TEST(ScriptedSession, R14RunsTheSameSessionWithoutTakes) {
  PluginFixture fixture(Build::R14);
  fixture.host().SetInterfaceVersion(14042);
  int failures = -1;
  const std::string out = RunScript(fixture,
                                    "open\n"
                                    "size Large\n"
                                    "click 0\n"
                                    "take list\n"
                                    "scene\n",
                                    &failures);
  EXPECT_EQ(failures, 1) << out;
  EXPECT_TRUE(Has(out, "[print] Lumidrome V(")) << out;
  EXPECT_TRUE(Has(out, "size \"Large\" (3)")) << out;
  EXPECT_TRUE(Has(out, "error: take: this host has no takes (version 14042)\n> scene")) << out;
  EXPECT_TRUE(Has(out, "HDRI \"HDRI\" (type 1035165)")) << out;
  // Hosts before 18000 leave the view alone.
  EXPECT_FALSE(Has(out, "_SM.hdr")) << out;
}

TEST(ScriptedSession, ShiftControlOpensAPlugInOutsideTheUserFolder) {
  PluginFixture fixture(Build::R17);
  fixture.host().SetUserFolder((fixture.user_folder() / "elsewhere").u8string());
  int failures = -1;
  const std::string out = RunScript(fixture, "open\nopen shift-ctrl\nend\nopen\n", &failures);
  EXPECT_EQ(failures, 2) << out;
  EXPECT_TRUE(Has(out, "> open\n[message] ")) << out;
  EXPECT_TRUE(Has(out, "error: open: the browser did not open\n> open shift-ctrl\nbrowser: pack"))
      << out;
  EXPECT_TRUE(Has(out, "error: open: no plug-in is loaded (load starts it)\n")) << out;
  EXPECT_EQ(fixture.host().KeyboardQualifiers(), 0);
}

TEST(ScriptedSession, ErrorsTakeOneLineEachAndTheSessionGoesOn) {
  PluginFixture fixture(Build::R17);
  int failures = -1;
  const std::string out = RunScript(fixture,
                                    "size Large\n"
                                    "frobnicate now\n"
                                    "open\n"
                                    "size Huge\n"
                                    "click 42\n"
                                    "click \"No Such Tile\"\n"
                                    "pack \"No Pack\"\n"
                                    "select Nobody\n"
                                    "add dragon\n"
                                    "resize 0 10\n"
                                    "scroll sideways\n"
                                    "answer web maybe\n"
                                    "layout restore never-saved\n"
                                    "echo \"unterminated\n"
                                    "  # a comment, then a blank line\n"
                                    "\n"
                                    "size Large\n",
                                    &failures);
  EXPECT_EQ(failures, 13) << out;
  EXPECT_TRUE(Has(out, "error: size: the browser is not open (run open first)\n")) << out;
  EXPECT_TRUE(Has(out, "error: frobnicate: unknown command (help lists them)\n")) << out;
  EXPECT_TRUE(Has(out, "error: size: expected Small, Medium, Large or 1-3, got \"Huge\"\n")) << out;
  EXPECT_TRUE(Has(out, "error: click: no tile 42; the grid has tiles 0 to ")) << out;
  EXPECT_TRUE(Has(out, "error: pack: no entry \"No Pack\"; entries: 0 \"")) << out;
  EXPECT_TRUE(Has(out, "error: add: unknown type \"dragon\"; known: null, cube")) << out;
  EXPECT_TRUE(Has(out, "error: unterminated quote\n")) << out;
  EXPECT_TRUE(Has(out, "  # a comment, then a blank line\n> size Large\n")) << out;
  // The last command still ran.
  EXPECT_TRUE(Has(out, "size \"Large\" (3)")) << out;
  size_t error_lines = 0;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) error_lines += line.rfind("error: ", 0) == 0;
  EXPECT_EQ(error_lines, 13u) << out;
}

TEST(ScriptedSession, FolderAnswersReachChangeDirectory) {
  PluginFixture fixture(Build::R17);
  lumidrome_test::TestLibrary library(TempFile(fixture, "library"));
  library.AddPack("07_Test_Pack");
  library.AddTile("07_Test_Pack", "Solo");
  const std::string root = library.root().u8string();
  const std::string out = RunScript(fixture,
                                    "open\n"
                                    "answer folder " +
                                        ScriptWord(root) +
                                        "\n"
                                        "pack \"Change Directory\"\n"
                                        "answer folder cancel\n"
                                        "pack \"Change Directory\"\n"
                                        "click Solo\n");
  EXPECT_TRUE(Has(out, "[select] \"Select your Pack folder\" -> \"" + Printed(root) + "\"\n"))
      << out;
  EXPECT_TRUE(Has(out, "browser: pack \"Test_Pack\" (0), size \"Medium\" (2), 1 tile")) << out;
  EXPECT_TRUE(Has(out, "[select] \"Select your Pack folder\" -> cancelled\n")) << out;
  simhost::Atom* hdri = fixture.host().ActiveDocument().AllObjects().at(0);
  EXPECT_EQ(hdri->Data().GetText(simhost_app::plugin_ids::kHdriObjectFile),
            root + lumidrome_test::Native("/07_Test_Pack/HDRIs/Solo.hdr"));
}

TEST(ScriptedSession, WebAnswersReachTheChooserAndTheAddMoreTile) {
  PluginFixture fixture(Build::R17);
  int failures = -1;
  const std::string out = RunScript(fixture,
                                    "open\n"
                                    "answer web fail\n"
                                    "pack \"Get More Packs\"\n"
                                    "answer web ok\n"
                                    "pack 9000\n"
                                    "answer web fail\n"
                                    "more right\n",
                                    &failures);
  EXPECT_EQ(failures, 0) << out;
  EXPECT_TRUE(
      Has(out, " (failed)\n[message] Possible problem with the website, try again later.\n"))
      << out;
  ASSERT_EQ(fixture.host().OpenedPages().size(), 3u) << out;
  EXPECT_FALSE(fixture.host().OpenedPages()[0].answer);
  EXPECT_TRUE(fixture.host().OpenedPages()[1].answer);
  EXPECT_NE(fixture.host().OpenedPages()[2].address, fixture.host().OpenedPages()[0].address);
  // A failing store page is not reported by the plug-in.
  EXPECT_EQ(fixture.host().Messages().size(), 1u) << out;
}

TEST(ScriptedSession, SelectedObjectsAndTagsChangeAndTakesRecordOverrides) {
  PluginFixture fixture(Build::R17);
  int failures = -1;
  const std::string out = RunScript(fixture,
                                    "add null Rig\n"
                                    "add hdri Sky under Rig\n"
                                    "add hdri Dome\n"
                                    "tag Dome hdri 2 Small\n"
                                    "tag Dome texture\n"
                                    "take add Night\n"
                                    "take use Night\n"
                                    "select Sky Dome/Small\n"
                                    "open\n"
                                    "size Large\n"
                                    "click 0\n"
                                    "take list\n"
                                    "undo\n"
                                    "redo\n",
                                    &failures);
  EXPECT_EQ(failures, 0) << out;
  simhost::Document& document = fixture.host().ActiveDocument();
  simhost::Atom* sky = document.AllObjects().at(1);
  simhost::Atom* dome = document.AllObjects().at(2);
  simhost::Atom* small = dome->Tags().First();
  ASSERT_EQ(sky->Name(), "Sky");
  EXPECT_NE(sky->Data().GetText(simhost_app::plugin_ids::kHdriObjectFile), "");
  EXPECT_EQ(dome->Data().GetText(simhost_app::plugin_ids::kHdriObjectFile),
            "");  // not selected: only its tag
  EXPECT_NE(small->Data().GetText(simhost_app::plugin_ids::kHdriTagFile).find("_SM.hdr"),
            std::string::npos);
  EXPECT_TRUE(Has(out, "take \"Night\" [current]\n")) << out;
  EXPECT_TRUE(
      Has(out, "override in \"Night\": HDRI \"Sky\" (type 1035165) [2002 HDRI file] = Filename"))
      << out;
  EXPECT_TRUE(Has(out, "redone; 1 step to undo, 0 to redo")) << out;
}

TEST(ScriptedSession, ClicksThatChangeNothingSaySo) {
  PluginFixture fixture(Build::R17);
  fixture.host().SetInterfaceVersion(17048);  // from 18000 on the view changes all the same
  const std::string out = RunScript(fixture,
                                    "add hdri One\n"
                                    "add hdri Two\n"
                                    "open\n"
                                    "click 0\n");
  EXPECT_TRUE(Has(out, "the scene did not change\n")) << out;
}

TEST(ScriptedSession, LayoutsCarryTheChoosersAndReopenTheBrowser) {
  PluginFixture fixture(Build::R17);
  int failures = -1;
  const std::string out = RunScript(fixture,
                                    "open\n"
                                    "size Large\n"
                                    "pack \"Show All\"\n"
                                    "layout save wide\n"
                                    "close\n"
                                    "layout restore wide\n"
                                    "resize 790 500\n",
                                    &failures);
  EXPECT_EQ(failures, 0) << out;
  EXPECT_TRUE(Has(out, "    [101 tile size] Int32 3\n    [105 pack] Int32 9002\n")) << out;
  EXPECT_TRUE(Has(out, "browser closed\n> layout restore wide\nlayout \"wide\" restored\n")) << out;
  // The pack comes back with the next rebuild of the grid.
  EXPECT_TRUE(Has(out, "> resize 790 500\nbrowser: pack \"Show All\" (9002), size \"Large\" (3)"))
      << out;
}

}  // namespace
}  // namespace session_test
