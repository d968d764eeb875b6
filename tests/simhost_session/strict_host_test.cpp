// The stand-in host as strict as the real one, through sessions on the real
// built module: folder order, every tile of a huge grid, the message stream
// of a window, takes, the HDRI plug-in taken by another type, pictures by
// suffix, and installing in the application's own plug-ins folder.
#include <gtest/gtest.h>
#include <malloc.h>  // mallinfo2; _heapwalk on Windows

#include <fstream>

#include "common/plugin_ids.h"
#include "jpeg_encoder.h"
#include "session_test_support.h"
#include "test_library.h"
#include "windows/window_system.h"

namespace session_test {
namespace {

using lumidrome_test::Utf8;

using lumidrome_test::Build;
using lumidrome_test::PluginFixture;

using simhost_app::plugin_ids::kBrowserCommand;
using simhost_app::plugin_ids::kPackChooser;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

std::vector<std::string> PackEntries(PluginFixture& fixture) {
  simhost::WindowSystem& windows = fixture.host().Windows();
  std::vector<std::string> packs;
  for (const auto& [value, text] :
       windows.QueryGadget(windows.FindOpenDialog(kBrowserCommand), kPackChooser).entries) {
    if (value >= 0 && value < simhost_app::plugin_ids::kGetMorePacks) packs.push_back(text);
  }
  return packs;
}

// The pack authors' page's advice holds where the real host runs: a numeric prefix sorts
// the packs. Reversed listings show that the browser keeps whatever order
// the host gives.
TEST(StrictHost, PacksFollowTheOrderTheHostListsFoldersIn) {
  PluginFixture fixture(Build::R17);
  fixture.host().SetOperatingSystem(1);  // Windows lists sorted
  RunScript(fixture, "open\n");
  EXPECT_EQ(PackEntries(fixture),
            (std::vector<std::string>{"Studio_Lights", "Open_Skies", "Night_City"}));

  PluginFixture reversed(Build::R17);
  reversed.host().SetDirOrder(simhost::DirOrder::kReverse);
  RunScript(reversed, "open\n");
  EXPECT_EQ(PackEntries(reversed),
            (std::vector<std::string>{"Night_City", "Open_Skies", "Studio_Lights"}));
}

// Tiles from the 4001st on have ids from 1000000000 on; the session counts,
// lists, clicks and completes them like the others.
TEST(StrictHost, EveryTileOfAHugeGridCountsAndClicks) {
  PluginFixture fixture(Build::R17);
  const std::filesystem::path library = TempFile(fixture, "huge");
  const std::string jpeg = simhost::EncodeSolidJpeg(16, 8, 90, 90, 200);
  for (int k = 0; k < 4003; ++k) {
    lumidrome_test::WriteBytes(
        library / "01_Many" / "Thumbnails" / ("T" + std::to_string(10000 + k) + ".jpg"), jpeg);
  }
  fixture.host().SetOperatingSystem(1);  // sorted, so tile k is T(10000 + k)
  int failures = -1;
  const std::string out = RunScript(fixture,
                                    "open\n"
                                    "answer folder " +
                                        ScriptWord(Utf8(library)) + "\n" +
                                        "pack \"Change Directory\"\n"
                                        "click 4001\n"
                                        "click T14002\n"
                                        "status\n",
                                    &failures);
  EXPECT_EQ(failures, 0) << out.substr(out.size() > 3000 ? out.size() - 3000 : 0);
  EXPECT_TRUE(Has(out, "4003 tiles in")) << out.substr(0, 2000);
  EXPECT_TRUE(Has(out, "clicking tile 4001 \"T14001\"")) << out.substr(out.size() - 2000);
  EXPECT_TRUE(Has(out, "clicking tile 4002 \"T14002\"")) << out.substr(out.size() - 2000);
  // No HDRI beside these thumbnails: each click reaches the plug-in, which says so.
  EXPECT_EQ(Count(out, "[message] Broken asset file"), 2u);
}

TEST(StrictHost, MovesAndSizeBurstsReachTheBrowserAndItsNoticesAreShown) {
  PluginFixture fixture(Build::R17);
  const std::filesystem::path library = TempFile(fixture, "library");
  lumidrome_test::TestLibrary(library).AddTile("01_Only", "Sky_01");
  int failures = -1;
  const std::string out = RunScript(fixture,
                                    "add hdri Sky\n"
                                    "tag Sky hdri 0 Tag\n"
                                    "open\n"
                                    "resize 400 500 5\n"
                                    "resize 1215 600 3\n"
                                    "move 20 30\n"
                                    "answer folder " +
                                        ScriptWord(Utf8(library)) + "\n" +
                                        "pack \"Change Directory\"\n"
                                        "scene\n",
                                    &failures);
  EXPECT_EQ(failures, 0) << out;
  EXPECT_TRUE(Has(out, "> resize 1215 600 3\nbrowser: pack ")) << out;
  EXPECT_TRUE(Has(out, "window 1215x600, scrolled to 0,0\n> move 20 30")) << out;
  EXPECT_TRUE(Has(out, "> move 20 30\nbrowser: ")) << out;
  EXPECT_TRUE(Has(out, "[notify] message 1037792 to HDRI \"Sky\" (type 1035165)\n")) << out;
  EXPECT_TRUE(Has(out, "[notify] message 1037792 to HDRI Tag \"Tag\"")) << out;
  EXPECT_EQ(Count(out, "messages: 1037792"), 2u) << out;
}

// The elements hold the current take's values: the main take's own come
// back when it is current, so a click in a take leaves the main take alone.
TEST(StrictHost, AClickInATakeLeavesTheMainTakeAlone) {
  PluginFixture fixture(Build::R17);
  int failures = -1;
  const std::string out = RunScript(
      fixture, "add hdri Sky\ntake add Night\ntake use Night\nopen\nclick 0\ntake use main\n",
      &failures);
  ASSERT_EQ(failures, 0) << out;
  simhost::Document& document = fixture.host().ActiveDocument();
  simhost::Atom* sky = document.AllObjects().at(0);
  const std::vector<simhost::OverrideRecord> overrides = document.Takes().Overrides();
  ASSERT_EQ(overrides.size(), 2u) << out;  // the HDRI and the background
  const std::string night = overrides[0].override_value.Text();
  EXPECT_TRUE(Has(night, lumidrome_test::Native("HDRIs/"))) << night;
  EXPECT_EQ(sky->Data().GetText(simhost_app::plugin_ids::kHdriObjectFile), "");

  ASSERT_TRUE(document.Takes().SetCurrent(overrides[0].take));
  EXPECT_EQ(sky->Data().GetText(simhost_app::plugin_ids::kHdriObjectFile), night);
  ASSERT_TRUE(document.Takes().SetCurrent(document.Takes().Main()));
  EXPECT_EQ(sky->Data().GetText(simhost_app::plugin_ids::kHdriObjectFile), "");
}

// The bytes the C runtime's heap has handed out and not yet taken back.
size_t HeapBytesInUse() {
#ifdef _WIN32
  size_t used = 0;
  _HEAPINFO entry{};
  while (_heapwalk(&entry) == _HEAPOK) {
    if (entry._useflag == _USEDENTRY) used += entry._size;
  }
  return used;
#else
  return mallinfo2().uordblks;
#endif
}

// The host keeps records of what the module did (undo calls, sleeps, event
// adds, messages); a long session must not grow by them without bound.
TEST(StrictHost, ClickAndUndoCyclesKeepTheHostsMemoryFlat) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's allocator does not report through mallinfo2";
#endif
  PluginFixture fixture(Build::R17);
  RunScript(fixture, "open\n");
  simhost::WindowSystem& windows = fixture.host().Windows();
  c4d_dialog* browser = windows.FindOpenDialog(kBrowserCommand);
  ASSERT_NE(browser, nullptr);
  simhost::Document& document = fixture.host().ActiveDocument();
  auto cycles = [&](int count) {
    for (int i = 0; i < count; ++i) {
      ASSERT_TRUE(windows.SendInput(browser, simhost_app::plugin_ids::kFirstTile,
                                    simhost::InputEvent::Click()));
      ASSERT_TRUE(document.Undo().Undo());
    }
  };
  cycles(3000);  // every kept record list is full by now
  const size_t before = HeapBytesInUse();
  cycles(3000);
  const size_t after = HeapBytesInUse();
  // Unbounded records grew by about 0.6 KB a cycle, 1.8 MB here.
  EXPECT_LT(after, before + 256 * 1024) << before << " -> " << after;
}

// Allocating an HDRI object may give an element of another type when
// another plug-in took the id: the click must then change nothing.
TEST(StrictHost, AnHdriObjectOfAnotherTypeIsNotFilled) {
  PluginFixture fixture(Build::R17);
  fixture.host().SetHdriPlugin(simhost::HdriPlugin::kOtherType);
  int failures = -1;
  const std::string out = RunScript(fixture, "open\nclick 0\n", &failures);
  EXPECT_EQ(failures, 0) << out;
  EXPECT_TRUE(Has(out, "the scene did not change")) << out;
  EXPECT_TRUE(fixture.host().ActiveDocument().AllObjects().empty());
}

TEST(StrictHost, PicturesAreSavedByTheirSuffixIntoFoldersThatExist) {
  PluginFixture fixture(Build::R17);
  const std::filesystem::path folder = TempFile(fixture, "");
  int failures = -1;
  const std::string out =
      RunScript(fixture,
                "open\n"
                "shot " +
                    ScriptWord(Utf8(folder / "window.JPG")) + "\nshot " +
                    ScriptWord(Utf8(folder / "window.png")) + "\nshot " +
                    ScriptWord(Utf8(folder / "window.gif")) + "\nshot " +
                    ScriptWord(Utf8(folder / "missing" / "dir" / "x.png")) + "\n",
                &failures);
  EXPECT_EQ(failures, 2) << out;
  std::ifstream jpeg(folder / "window.JPG", std::ios::binary);
  char magic[3] = {};
  jpeg.read(magic, 3);
  EXPECT_EQ(std::string(magic, 3), "\xFF\xD8\xFF");
  EXPECT_EQ(ReadPng(folder / "window.png").width, 790);
  EXPECT_TRUE(Has(out, "error: shot: cannot save " + (folder / "window.gif").u8string() +
                           ": name it .png, .jpg or .jpeg\n"))
      << out;
  EXPECT_TRUE(Has(out, "does not exist (create it first)\n")) << out;
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
  EXPECT_FALSE(std::filesystem::exists(folder / "window.gif"));
}

TEST(StrictHost, TheApplicationsPluginsFolderIsTheWrongPlaceAndAFolderIsNoScript) {
  PluginFixture fixture(Build::R17);
  const std::string plugin = lumidrome_test::Utf8(fixture.plugin_folder());
  ProgramRun in_app = RunProgram(fixture, {"--install-in-app", "--app-folder", "app", plugin},
                                 "open\nopen shift-ctrl\n");
  EXPECT_EQ(in_app.exit_status, 1) << in_app.output;
  EXPECT_TRUE(Has(in_app.output, "installed the plug-in in the application's plug-ins folder: " +
                                     Utf8(TempFile(fixture, "app") / "plugins" / "Lumidrome")))
      << in_app.output;
  EXPECT_TRUE(Has(in_app.output,
                  "> open\n[message] Lumidrome has been installed in the wrong "
                  "location"))
      << in_app.output;
  EXPECT_TRUE(Has(in_app.output, "> open shift-ctrl\nbrowser: pack")) << in_app.output;

  // Given a user folder, the plug-in's own place does not name one.
  ProgramRun elsewhere = RunProgram(fixture, {"--user-folder", "other", plugin}, "open\n");
  EXPECT_TRUE(Has(elsewhere.output, "installed in the wrong location")) << elsewhere.output;

  ProgramRun folder_script =
      RunProgram(fixture, {plugin, lumidrome_test::Utf8(TempFile(fixture, ""))}, "");
  EXPECT_EQ(folder_script.exit_status, 1) << folder_script.output;
  EXPECT_TRUE(Has(folder_script.output, ": it is a folder\n")) << folder_script.output;
}

}  // namespace
}  // namespace session_test
