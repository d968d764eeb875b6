// Packs added, removed and renamed while the browser is open, and libraries
// with more packs than the pack chooser has values for: the chooser, the grid
// and the files a click writes always describe the same packs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "browser_fixture.h"

namespace lumidrome_test {
namespace {

namespace fs = std::filesystem;

using Labels = std::vector<std::string>;

// The pack's one tile: its display name in lower case.
std::string TileOf(const std::string& display_name) {
  std::string tile = display_name;
  std::transform(tile.begin(), tile.end(), tile.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return tile;
}

std::string DisplayNameOf(const std::string& folder) { return folder.substr(folder.find('_') + 1); }

std::vector<std::string> PackFoldersOnDisk(const fs::path& library) {
  std::vector<std::string> folders;
  for (const fs::directory_entry& entry : fs::directory_iterator(library)) {
    if (entry.is_directory()) folders.push_back(entry.path().filename().u8string());
  }
  return folders;
}

// Paths the module hands to the host's existence checks and folder
// browsing, recorded by handing the module a file area whose two entries
// record and pass on.
class FileCallLog {
 public:
  explicit FileCallLog(simhost::Host& host)
      : table_(const_cast<c4d_function_table&>(host.Table())),
        original_(table_.file),
        recording_(*original_) {
    current_ = this;
    recording_.exists = &Exists;
    recording_.dir_init = &DirInit;
    table_.file = &recording_;
  }
  ~FileCallLog() {
    table_.file = original_;
    current_ = nullptr;
  }
  // How many recorded paths name a pack's Thumbnails folder.
  size_t ThumbnailFolderCalls() const {
    return std::count_if(paths_.begin(), paths_.end(), [](const std::string& path) {
      return path.size() >= 10 && path.compare(path.size() - 10, 10, "Thumbnails") == 0;
    });
  }
  void Clear() { paths_.clear(); }

 private:
  static c4d_bool Exists(const char* path, c4d_bool is_directory) {
    current_->paths_.push_back(path);
    return current_->original_->exists(path, is_directory);
  }
  static void DirInit(c4d_dir* dir, const char* path, int32_t flags) {
    current_->paths_.push_back(path);
    current_->original_->dir_init(dir, path, flags);
  }

  static FileCallLog* current_;
  c4d_function_table& table_;
  const c4d_file_api* original_;
  c4d_file_api recording_;
  std::vector<std::string> paths_;
};

FileCallLog* FileCallLog::current_ = nullptr;

class LibraryChanges : public testing::TestWithParam<Build> {
 protected:
  LibraryChanges() : session_(GetParam()) {
    AddPack("01_Alpha");
    AddPack("02_Beta");
    sky_ = session_.doc().AddObject(kHdriObject, "Sky");
  }
  // Each pack has one tile, named after the pack it was made for; a renamed
  // pack keeps its tile.
  void AddPack(const std::string& folder) {
    session_.library().AddPack(folder);
    tile_of_[folder] = TileOf(DisplayNameOf(folder));
    session_.library().AddTile(folder, tile_of_[folder]);
  }
  void Rename(const std::string& from, const std::string& to) {
    fs::rename(session_.Pack(from), session_.Pack(to));
    tile_of_[to] = tile_of_[from];
  }
  std::string HdriFile() { return sky_->Data().GetText(kHdriObjectFile); }

  // Every pack the chooser offers shows its own tile, and clicking it, alone
  // or in "Show All", writes that pack's own HDRI.
  void ExpectEveryPackAppliesItsOwnFiles() {
    std::vector<std::string> folders = PackFoldersOnDisk(session_.library().root());
    ASSERT_EQ(session_.PackNames().size(), folders.size());
    for (const std::string& folder : folders) {
      SCOPED_TRACE(folder);
      const std::string tile = tile_of_[folder];
      const std::string own = PackFile(session_.Pack(folder), "HDRIs", tile + ".hdr");
      const int32_t value = session_.PackValue(DisplayNameOf(folder));
      ASSERT_GE(value, 0);
      if (session_.Value(kPackChooser) != value) {
        ASSERT_TRUE(session_.Choose(value));
      }
      EXPECT_EQ(session_.TileLabels(), Labels{tile});
      ASSERT_TRUE(session_.ClickLabel(tile));
      EXPECT_EQ(HdriFile(), own);
      ASSERT_TRUE(session_.Choose(kShowAll));
      ASSERT_TRUE(session_.ClickLabel(tile));
      EXPECT_EQ(HdriFile(), own);
    }
    EXPECT_TRUE(session_.host().Messages().empty());
  }
  void ExpectChosen(const std::string& name) {
    EXPECT_EQ(session_.Value(kPackChooser), session_.PackValue(name));
    EXPECT_EQ(session_.TileLabels(), Labels{TileOf(name)});
  }

  BrowserSession session_;
  simhost::Atom* sky_ = nullptr;
  std::map<std::string, std::string> tile_of_;
};

TEST_P(LibraryChanges, AddedRemovedAndRenamedPacksFollowAtTheNextRebuild) {
  ASSERT_NE(session_.Open(), nullptr);
  ASSERT_TRUE(session_.ChoosePack("Beta"));

  AddPack("00_Gamma");
  session_.Rebuild(768);
  ExpectChosen("Beta");
  ExpectEveryPackAppliesItsOwnFiles();

  ASSERT_TRUE(session_.ChoosePack("Beta"));
  fs::remove_all(session_.Pack("01_Alpha"));
  session_.Rebuild(1215);
  ExpectChosen("Beta");
  ExpectEveryPackAppliesItsOwnFiles();

  ASSERT_TRUE(session_.ChoosePack("Beta"));
  Rename("00_Gamma", "05_Delta");
  session_.Rebuild(768);
  ExpectChosen("Beta");
  ExpectEveryPackAppliesItsOwnFiles();

  // The chosen pack itself goes: the first pack takes its place.
  ASSERT_TRUE(session_.ChoosePack("Beta"));
  Rename("02_Beta", "03_Epsilon");
  session_.Rebuild(768);
  EXPECT_EQ(session_.Value(kPackChooser), 0);
  const std::vector<std::string> folders = PackFoldersOnDisk(session_.library().root());
  EXPECT_EQ(session_.TileLabels(), Labels{tile_of_[folders[0]]});
  ExpectEveryPackAppliesItsOwnFiles();
}

// A plain resize lists the library once and opens no pack's folders; a
// changed listing rescans the packs.
TEST_P(LibraryChanges, RebuildOpensThumbnailFoldersOnlyWhenTheListingChanged) {
  ASSERT_NE(session_.Open(), nullptr);
  FileCallLog calls(session_.host());
  session_.Rebuild(1215);
  session_.Rebuild(768);
  EXPECT_EQ(calls.ThumbnailFolderCalls(), 0u);
  AddPack("03_Gamma");
  session_.Rebuild(1215);
  EXPECT_GE(calls.ThumbnailFolderCalls(), 3u);
  calls.Clear();
  session_.Rebuild(768);
  EXPECT_EQ(calls.ThumbnailFolderCalls(), 0u);
  ExpectEveryPackAppliesItsOwnFiles();
}

// Reopening scans the library again; the chosen pack is found by its folder.
TEST_P(LibraryChanges, ReopeningFindsTheChosenPackWhereItMoved) {
  ASSERT_NE(session_.Open(), nullptr);
  ASSERT_TRUE(session_.ChoosePack("Beta"));
  session_.Close();
  AddPack("00_Gamma");
  AddPack("00_Omega");
  ASSERT_NE(session_.Open(), nullptr);
  ExpectChosen("Beta");
}

INSTANTIATE_TEST_SUITE_P(Builds, LibraryChanges, testing::Values(Build::R17, Build::R14),
                         [](const testing::TestParamInfo<Build>& info) {
                           return BuildName(info.param);
                         });

// Pack values from 9000 on are the chooser's own entries, so only the first
// 9000 packs of the listing are offered, in "Show All" too.
class ManyPacks : public testing::TestWithParam<Build> {
 protected:
  ManyPacks() : session_(GetParam()) {}
  BrowserSession session_;
};

TEST_P(ManyPacks, OnlyTheFirst9000PacksAreOffered) {
  const fs::path root = session_.library().root();
  fs::create_directories(root);
  for (int i = 0; i < 9003; ++i) fs::create_directory(root / ("P_" + std::to_string(i)));
  const std::vector<std::string> order = PackFoldersOnDisk(root);
  ASSERT_EQ(order.size(), 9003u);
  session_.library().AddTile(order[0], "first");
  session_.library().AddTile(order[9002], "beyond");
  simhost::Atom* sky = session_.doc().AddObject(kHdriObject, "Sky");

  ASSERT_NE(session_.Open(), nullptr);
  const auto entries = session_.windows().QueryGadget(session_.dialog(), kPackChooser).entries;
  ASSERT_EQ(entries.size(), 9006u);
  EXPECT_EQ(entries[8999], std::make_pair(8999, DisplayNameOf(order[8999])));
  EXPECT_EQ(entries[9001], std::make_pair(kShowAll, std::string("Show All")));

  ASSERT_TRUE(session_.Choose(kShowAll));
  EXPECT_EQ(session_.TileLabels(), Labels{"first"});
  ASSERT_TRUE(session_.ClickLabel("first"));
  EXPECT_EQ(sky->Data().GetText(kHdriObjectFile), PackFile(root / order[0], "HDRIs", "first.hdr"));
  EXPECT_TRUE(session_.host().Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Builds, ManyPacks, testing::Values(Build::R17, Build::R14),
                         [](const testing::TestParamInfo<Build>& info) {
                           return BuildName(info.param);
                         });

}  // namespace
}  // namespace lumidrome_test
