// The browser's commands: the pack chooser, the size chooser and the
// add-more tile, in both builds.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "browser_fixture.h"

namespace lumidrome_test {
namespace {

namespace fs = std::filesystem;

const char* const kCollectionsPage = "https://www.lumidrome.example/hdri-collections";
const char* const kFolderTitle = "Select your Pack folder";

std::vector<std::string> Sorted(std::vector<std::string> texts) {
  std::sort(texts.begin(), texts.end());
  return texts;
}

// Three packs: Alpha (a1, a2), Beta (b1), Gamma (g1, g2, g3).
class Commands : public testing::TestWithParam<Build> {
 protected:
  Commands() : session_(GetParam()) {
    AddPack(session_.library(), "01_Alpha", {"a1", "a2"});
    AddPack(session_.library(), "02_Beta", {"b1"});
    AddPack(session_.library(), "03_Gamma", {"g1", "g2", "g3"});
  }
  static void AddPack(TestLibrary& library, const std::string& folder,
                      const std::vector<std::string>& tiles) {
    library.AddPack(folder);
    for (const std::string& tile : tiles) library.AddTile(folder, tile);
  }
  void Open() { ASSERT_NE(session_.Open(), nullptr); }
  std::vector<std::string> Shown() { return Sorted(session_.TileLabels()); }
  simhost::Host& host() { return session_.host(); }
  // A second library beside the plug-in: Xeno (x1) and Yard (y1, y2).
  fs::path OtherLibrary() {
    const fs::path root = session_.fixture().user_folder().parent_path() / "Other";
    TestLibrary other(root);
    AddPack(other, "10_Xeno", {"x1"});
    AddPack(other, "11_Yard", {"y1", "y2"});
    return root;
  }
  BrowserSession session_;
};

using Labels = std::vector<std::string>;

// A re-layout would fit the grid to the window's new width; without the
// cursor message that follows a resize, only a command can do that.
TEST_P(Commands, ChoosingThePackAlreadyShownDoesNotLayTheGridOutAgain) {
  Open();
  ASSERT_TRUE(session_.ChoosePack("Gamma"));
  EXPECT_EQ(Shown(), (Labels{"g1", "g2", "g3"}));
  EXPECT_EQ(session_.GridColumns(), 3);
  session_.ResizeOnly(1215);
  ASSERT_TRUE(session_.ChoosePack("Gamma"));
  EXPECT_EQ(session_.GridColumns(), 3);
  ASSERT_TRUE(session_.ChoosePack("Alpha"));
  EXPECT_EQ(Shown(), (Labels{"a1", "a2"}));
  EXPECT_EQ(session_.GridColumns(), 4);
}

TEST_P(Commands, GetMorePacksOpensThePageAndLeavesThePackShown) {
  Open();
  ASSERT_TRUE(session_.Choose(2));
  const Labels shown = Shown();
  ASSERT_TRUE(session_.Choose(kGetMorePacks));
  EXPECT_EQ(session_.Value(kPackChooser), 2);
  EXPECT_EQ(Shown(), shown);
  ASSERT_EQ(host().OpenedPages().size(), 1u);
  EXPECT_EQ(host().OpenedPages()[0].address, kCollectionsPage);
  EXPECT_TRUE(host().Messages().empty());
  // The pack shown before is still the last one acted on.
  session_.ResizeOnly(1215);
  ASSERT_TRUE(session_.Choose(2));
  EXPECT_EQ(session_.GridColumns(), 3);

  host().QueueOpenHtmlAnswer(false);
  ASSERT_TRUE(session_.Choose(kGetMorePacks));
  EXPECT_EQ(host().Messages(), (Labels{"Possible problem with the website, try again later."}));
  EXPECT_EQ(session_.Value(kPackChooser), 2);
  EXPECT_EQ(Shown(), shown);
}

TEST_P(Commands, ShowAllTwiceThenAPack) {
  Open();
  ASSERT_TRUE(session_.Choose(kShowAll));
  EXPECT_EQ(Shown(), (Labels{"a1", "a2", "b1", "g1", "g2", "g3"}));
  session_.ResizeOnly(1215);
  ASSERT_TRUE(session_.Choose(kShowAll));
  EXPECT_EQ(session_.GridColumns(), 3);
  ASSERT_TRUE(session_.ChoosePack("Beta"));
  EXPECT_EQ(Shown(), (Labels{"b1"}));
  EXPECT_EQ(session_.GridColumns(), 4);
}

TEST_P(Commands, SizeChangeLaysTheCurrentChoiceOutAgainWithItsFactor) {
  Open();
  session_.Rebuild(1215);
  ASSERT_TRUE(session_.Choose(kShowAll));
  EXPECT_EQ(session_.GridColumns(), 4);
  EXPECT_EQ(session_.TileMinSize(0), std::make_pair(240, 120));
  ASSERT_TRUE(session_.ChooseSize(3));
  EXPECT_EQ(session_.GridColumns(), 3);
  EXPECT_EQ(session_.TileMinSize(5), std::make_pair(400, 200));
  EXPECT_EQ(session_.TileLabels().size(), 6u);
  ASSERT_TRUE(session_.ChoosePack("Beta"));
  ASSERT_TRUE(session_.ChooseSize(1));
  EXPECT_EQ(session_.GridColumns(), 7);
  EXPECT_EQ(Shown(), (Labels{"b1"}));
  EXPECT_EQ(session_.TileMinSize(0), std::make_pair(160, 80));
}

TEST_P(Commands, AddMoreTileOpensTheStorePageOfTheBuildAndReportsNoFailure) {
  Open();
  host().QueueOpenHtmlAnswer(true);
  host().QueueOpenHtmlAnswer(false);
  const simhost::InputEvent click = simhost::InputEvent::Click();
  ASSERT_TRUE(session_.windows().SendInput(session_.dialog(), kAddMoreTile, click));
  ASSERT_TRUE(session_.windows().SendInput(session_.dialog(), kAddMoreTile, click));
  const std::string store = GetParam() == Build::R17 ? "https://store.lumidrome.example/packs"
                                                     : "https://store.lumidrome.example/packs/r14";
  ASSERT_EQ(host().OpenedPages().size(), 2u);
  EXPECT_EQ(host().OpenedPages()[0].address, store);
  EXPECT_EQ(host().OpenedPages()[1].address, store);
  EXPECT_TRUE(host().Messages().empty());
}

TEST_P(Commands, ChangeDirectoryToAFolderShowsItsPacksAndRemembersIt) {
  Open();
  ASSERT_TRUE(session_.ChoosePack("Gamma"));
  const fs::path other = OtherLibrary();
  host().QueueSelection(other.u8string());
  ASSERT_TRUE(session_.Choose(kChangeDirectory));
  EXPECT_EQ(host().SelectionTitles(), (Labels{kFolderTitle}));
  EXPECT_EQ(Sorted(session_.PackNames()), (Labels{"Xeno", "Yard"}));
  EXPECT_EQ(session_.Value(kPackChooser), 0);
  const Labels first = session_.PackNames()[0] == "Xeno" ? Labels{"x1"} : Labels{"y1", "y2"};
  EXPECT_EQ(Shown(), first);
  // The older interface's builds write the 8-bit character set.
  const std::string written = GetParam() == Build::R17 ? Utf8(other) : Latin1Of(Utf8(other));
  EXPECT_NE(ReadFileBytes(session_.SettingsFile(".txt")).find(written), std::string::npos);
  EXPECT_TRUE(fs::exists(session_.SettingsFile(".hf")));
  EXPECT_EQ(host().EventAdds().size(), 1u);
  EXPECT_TRUE(host().Messages().empty());

  // The next opening reads the folder back from the settings file.
  session_.Close();
  ASSERT_NE(session_.Open(), nullptr);
  EXPECT_EQ(Sorted(session_.PackNames()), (Labels{"Xeno", "Yard"}));
}

// Neither a cancelled selection nor a file replaces the folder in use: the
// library, the grid and both settings files stay as they were.
TEST_P(Commands, ChangeDirectoryCancelledOrToAFileKeepsTheEarlierChoice) {
  Open();
  ASSERT_TRUE(session_.ChoosePack("Gamma"));
  const int32_t gamma = session_.Value(kPackChooser);
  host().QueueSelectionCancel();
  ASSERT_TRUE(session_.Choose(kChangeDirectory));
  host().QueueSelection((session_.Pack("01_Alpha") / "Thumbnails" / "a1.jpg").u8string());
  ASSERT_TRUE(session_.Choose(kChangeDirectory));
  EXPECT_EQ(host().SelectionTitles(), (Labels{kFolderTitle, kFolderTitle}));
  EXPECT_FALSE(fs::exists(session_.SettingsFile(".hf")));
  EXPECT_FALSE(fs::exists(session_.SettingsFile(".txt")));
  EXPECT_EQ(Sorted(session_.PackNames()), (Labels{"Alpha", "Beta", "Gamma"}));
  EXPECT_EQ(session_.Value(kPackChooser), gamma);
  EXPECT_EQ(Shown(), (Labels{"g1", "g2", "g3"}));
  // The HDRI elements are told all the same.
  EXPECT_EQ(host().EventAdds().size(), 2u);
  // The pack shown stays the one in force: a size change re-lays it, and a
  // click applies what the tile shows.
  ASSERT_TRUE(session_.ChooseSize(3));
  EXPECT_EQ(Shown(), (Labels{"g1", "g2", "g3"}));
  simhost::Atom* hdri = session_.doc().AddObject(kHdriObject, "Sky");
  ASSERT_TRUE(session_.ClickLabel("g2"));
  EXPECT_EQ(hdri->Data().GetText(kHdriObjectFile),
            PackFile(session_.Pack("03_Gamma"), "HDRIs", "g2.hdr"));

  // Once a folder has been chosen, a later cancel or file leaves its files.
  host().QueueSelection(OtherLibrary().u8string());
  ASSERT_TRUE(session_.Choose(kChangeDirectory));
  const std::string hf = ReadFileBytes(session_.SettingsFile(".hf"));
  const std::string txt = ReadFileBytes(session_.SettingsFile(".txt"));
  ASSERT_FALSE(hf.empty());
  host().QueueSelectionCancel();
  ASSERT_TRUE(session_.Choose(kChangeDirectory));
  host().QueueSelection((session_.Pack("01_Alpha") / "Thumbnails" / "a1.jpg").u8string());
  ASSERT_TRUE(session_.Choose(kChangeDirectory));
  EXPECT_EQ(ReadFileBytes(session_.SettingsFile(".hf")), hf);
  EXPECT_EQ(ReadFileBytes(session_.SettingsFile(".txt")), txt);
  EXPECT_EQ(Sorted(session_.PackNames()), (Labels{"Xeno", "Yard"}));
}

std::set<std::string> Names(const std::vector<simhost::Atom*>& atoms) {
  std::set<std::string> names;
  for (const simhost::Atom* atom : atoms) names.insert(atom->Name());
  return names;
}

// The object walk stops once two are found, finishing only the visit of the
// sibling it had reached; the tag walk visits everything.
TEST_P(Commands, ChangeDirectoryTellsTheObjectsTheWalkCollectsAndEveryTag) {
  simhost::Document& doc = session_.doc();
  simhost::Atom* a = doc.AddObject(kHdriObject, "A");
  doc.AddObject(kHdriObject, "B", a);
  simhost::Atom* c = doc.AddObject(kHdriObject, "C", a);
  doc.AddHdriTag(c, 0, "TagOnC");
  doc.AddObject(kHdriObject, "D");
  simhost::Atom* e = doc.AddObject(kHdriObject, "E");
  simhost::Atom* f = doc.AddObject(5140, "F", e);
  doc.AddHdriTag(f, 2, "TagDeep");
  doc.AddTag(f, 5613, "Display");
  Open();
  host().QueueSelectionCancel();
  ASSERT_TRUE(session_.Choose(kChangeDirectory));
  EXPECT_EQ(Names(doc.ReceiversOf(kLibraryChanged)),
            (std::set<std::string>{"A", "B", "D", "TagOnC", "TagDeep"}));
  EXPECT_EQ(host().EventAdds().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Builds, Commands, testing::Values(Build::R17, Build::R14),
                         [](const testing::TestParamInfo<Build>& info) {
                           return BuildName(info.param);
                         });

}  // namespace
}  // namespace lumidrome_test
