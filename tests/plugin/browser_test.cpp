// Opening the browser and applying a clicked tile, through the stand-in host.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/plugin_ids.h"
#include "gui/window_system.h"
#include "plugin_fixture.h"

namespace lumidrome_test {
namespace {

namespace ids = simhost_app::plugin_ids;

// How a scene description names an element of the HDRI object type.
std::string HdriObjectMark() { return "(type " + std::to_string(ids::kHdriObject) + ")"; }

class Browser : public testing::Test {
 protected:
  Browser() : fixture_(Build::R17) {}
  simhost::Host& host() { return fixture_.host(); }
  void Load() { ASSERT_TRUE(host().Load(fixture_.plugin_folder().u8string())); }
  c4d_dialog* Run() {
    host().ExecuteCommand(ids::kBrowserCommand, &host().ActiveDocument());
    return host().Windows().FindOpenDialog(ids::kBrowserCommand);
  }
  PluginFixture fixture_;
};

TEST_F(Browser, OpensBelowTheUserFolder) {
  Load();
  ASSERT_NE(Run(), nullptr);
  EXPECT_TRUE(host().Messages().empty());
}

TEST_F(Browser, RefusesOutsideTheUserFolderUnlessShiftControlIsHeld) {
  host().SetUserFolder((fixture_.user_folder() / "elsewhere").u8string());
  Load();
  EXPECT_EQ(Run(), nullptr);
  ASSERT_EQ(host().Messages().size(), 1u);
  EXPECT_NE(host().Messages()[0].find("installed in the wrong location"), std::string::npos);
  host().SetKeyboardQualifiers(1);  // Shift alone leaves it to the walk
  EXPECT_EQ(Run(), nullptr);
  host().SetKeyboardQualifiers(3);
  EXPECT_NE(Run(), nullptr);
}

TEST_F(Browser, OpensWhenInstalledSeveralLevelsBelowTheUserFolder) {
  const std::filesystem::path deep = fixture_.user_folder() / "plugins" / "a" / "b" / "Lumidrome";
  std::filesystem::create_directories(deep.parent_path());
  std::filesystem::rename(fixture_.plugin_folder(), deep);
  ASSERT_TRUE(host().Load(deep.u8string()));
  EXPECT_NE(Run(), nullptr);
  EXPECT_TRUE(host().Messages().empty());
}

TEST_F(Browser, WalkUpToTheFileSystemRootEndsInTheMessage) {
  // The user folder lies beside the plug-in's branch, so every parent up to
  // "/" is compared and none matches.
  host().SetUserFolder((fixture_.user_folder().parent_path() / "other-user").u8string());
  Load();
  EXPECT_EQ(Run(), nullptr);
  ASSERT_EQ(host().Messages().size(), 1u);
  EXPECT_EQ(host().Messages()[0],
            "Lumidrome has been installed in the wrong location, please refer to the Install.txt "
            "in Lumidrome for directions.");
}

TEST_F(Browser, RestoreLayoutOpensWhereExecuteRefuses) {
  host().SetUserFolder((fixture_.user_folder() / "elsewhere").u8string());
  Load();
  simhost::SavedLayout saved;
  host().RestoreCommandLayout(ids::kBrowserCommand, &saved);
  EXPECT_NE(host().Windows().FindOpenDialog(ids::kBrowserCommand), nullptr);
}

TEST_F(Browser, ClickOnEmptySceneCreatesOneUndoableHdriObject) {
  Load();
  c4d_dialog* browser = Run();
  ASSERT_NE(browser, nullptr);
  ASSERT_TRUE(host().Windows().SendInput(browser, ids::kFirstTile, simhost::InputEvent::Click()));
  std::string scene = host().ActiveDocument().Describe();
  EXPECT_NE(scene.find(HdriObjectMark()), std::string::npos) << scene;
  EXPECT_NE(scene.find(".hdr\""), std::string::npos) << scene;
  // The scene hook marked the inserted object.
  EXPECT_NE(scene.find("[" + std::to_string(ids::kHookFlag) + " hook mark] Int32 1"),
            std::string::npos)
      << scene;
  EXPECT_EQ(host().Sleeps().size(), 1u);
  ASSERT_TRUE(host().ActiveDocument().Undo().Undo());
  EXPECT_EQ(host().ActiveDocument().Describe().find(HdriObjectMark()), std::string::npos);
}

TEST_F(Browser, ClickWithoutHdriPluginChangesNothing) {
  host().SetHdriPluginInstalled(false);
  Load();
  c4d_dialog* browser = Run();
  ASSERT_NE(browser, nullptr);
  host().Windows().SendInput(browser, ids::kFirstTile, simhost::InputEvent::Click());
  EXPECT_EQ(host().ActiveDocument().Describe().find(HdriObjectMark()), std::string::npos);
  EXPECT_TRUE(host().Messages().empty());
  EXPECT_TRUE(host().EventAdds().empty());
}

TEST_F(Browser, SelectedHdriObjectsChangeInOneUndoStep) {
  Load();
  simhost::Document& doc = host().ActiveDocument();
  simhost::Atom* first = doc.AddObject(ids::kHdriObject, "First");
  simhost::Atom* second = doc.AddObject(ids::kHdriObject, "Second");
  doc.SelectObjects({second, first});
  c4d_dialog* browser = Run();
  ASSERT_NE(browser, nullptr);
  host().Windows().SendInput(browser, ids::kFirstTile, simhost::InputEvent::Click());
  EXPECT_NE(first->Data().GetText(ids::kHdriObjectFile), "");
  EXPECT_EQ(first->Data().GetText(ids::kHdriObjectFile),
            second->Data().GetText(ids::kHdriObjectFile));
  ASSERT_TRUE(doc.Undo().Undo());
  EXPECT_EQ(first->Data().GetText(ids::kHdriObjectFile), "");
  EXPECT_EQ(second->Data().GetText(ids::kHdriObjectFile), "");
}

}  // namespace
}  // namespace lumidrome_test
