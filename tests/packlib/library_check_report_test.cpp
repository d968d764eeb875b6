// The library check on a library with every kind of fault, read back from
// both reports.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "library_check_support.h"
#include "packlib/human_report.h"
#include "packlib/json_report.h"
#include "packlib/library_scan.h"
#include "test_library.h"

namespace lumidrome_test {
namespace {

using nlohmann::json;
using packlib::CheckLibrary;

const std::string kBroken = "\"Broken asset file, please reinstall Lumidrome.\"";

class FaultyLibrary : public testing::Test {
 protected:
  FaultyLibrary() {
    WriteFaultyLibrary(folder_.path());
    // Written and parsed back, as a tool reading the output would.
    report_ = json::parse(packlib::LibraryCheckJson(Check()).dump());
  }
  packlib::LibraryCheck Check() const { return CheckLibrary(folder_.path().u8string()); }
  std::string Human() const {
    std::ostringstream out;
    packlib::WriteHumanReport(Check(), out);
    return out.str();
  }
  TempFolder folder_;
  json report_;
};

TEST_F(FaultyLibrary, EveryFaultIsReportedWhereItLies) {
  EXPECT_EQ(KindsAt(report_, "notes.txt"), "not_a_pack");
  EXPECT_EQ(KindsAt(report_, ".DS_Store"), "not_a_pack");
  EXPECT_EQ(KindsAt(report_, "02_Faults/HDRIs/No_Hdri.hdr"), "missing_hdri");
  EXPECT_EQ(KindsAt(report_, "02_Faults/HDRIs/No_Small_SM.hdr"), "missing_small_hdri");
  EXPECT_EQ(KindsAt(report_, "02_Faults/Background/No_Background.jpg"), "missing_background");
  EXPECT_EQ(KindsAt(report_, "02_Faults/Thumbnails/No_Previews_md.jpg"), "missing_medium_preview");
  EXPECT_EQ(KindsAt(report_, "02_Faults/Thumbnails/No_Previews_sm.jpg"), "missing_small_preview");
  EXPECT_EQ(KindsAt(report_, "02_Faults/HDRIs/Both.exr"), "exr_never_used");
  for (const char* name : {"photo.JPG", "photo.jpeg", "photo.png"}) {
    EXPECT_EQ(KindsAt(report_, std::string("02_Faults/Thumbnails/") + name), "not_a_tile") << name;
  }
  EXPECT_EQ(KindsAt(report_, "02_Faults/Thumbnails/Ghost_md.jpg"), "orphan_preview");
  EXPECT_EQ(KindsAt(report_, "03_No_Hdris/HDRIs"), "missing_hdris_folder missing_hdris_folder");
  EXPECT_EQ(KindsAt(report_, "04_No_Thumbnails/Thumbnails"), "missing_thumbnails_folder");
  EXPECT_EQ(KindsAt(report_, "05_No_Background/Background"), "missing_background_folder");
  EXPECT_EQ(KindsAt(report_, "01_Good/Thumbnails/Dusk.blue.jpg"), "dotted_name");
}

TEST_F(FaultyLibrary, TilesSayWhatAClickFinds) {
  const json* dusk = FindTile(report_, "01_Good", "Dusk.blue.jpg");
  ASSERT_NE(dusk, nullptr);
  EXPECT_EQ(dusk->at("label"), "Dusk.blue");
  EXPECT_EQ(dusk->at("base_name"), "Dusk");
  EXPECT_EQ(dusk->at("hdri"), (json{{"file", "Dusk.hdr"}, {"extension", ".hdr"}}));
  EXPECT_EQ(dusk->at("background").at("file"), "Dusk.jpg");
  EXPECT_EQ(dusk->at("previews").at("medium").at("file"), "Dusk.blue_md.jpg");
  EXPECT_EQ(dusk->at("status"), "fine");

  const json* cave = FindTile(report_, "01_Good", "Cave.jpg");
  ASSERT_NE(cave, nullptr);
  EXPECT_EQ(cave->at("hdri").at("extension"), ".exr");
  EXPECT_EQ(cave->at("small_hdri"), (json{{"file", "Cave_SM.exr"}, {"exists", true}}));

  const json* both = FindTile(report_, "02_Faults", "Both.jpg");
  ASSERT_NE(both, nullptr);
  EXPECT_EQ(both->at("hdri").at("file"), "Both.hdr");

  const json* missing = FindTile(report_, "02_Faults", "No_Hdri.jpg");
  ASSERT_NE(missing, nullptr);
  EXPECT_TRUE(missing->at("hdri").is_null());
  EXPECT_TRUE(missing->at("small_hdri").is_null());
  EXPECT_EQ(missing->at("status"), "broken");
  EXPECT_EQ(FindTile(report_, "02_Faults", "No_Small.jpg")->at("status"), "broken_in_small_mode");
  EXPECT_EQ(FindTile(report_, "02_Faults", "No_Previews.jpg")->at("status"), "fallback");
  EXPECT_EQ(FindTile(report_, "03_No_Hdris", "Lost.jpg")->at("status"), "broken");
  EXPECT_EQ(FindTile(report_, "02_Faults", "photo.JPG"), nullptr);
}

TEST_F(FaultyLibrary, SummaryCountsTilesByTheirWorstFault) {
  EXPECT_EQ(report_.at("summary"), (json{{"packs", 5},
                                         {"tiles", 10},
                                         {"fine", 4},
                                         {"broken", 2},
                                         {"broken_in_small_mode", 1},
                                         {"fallback", 3},
                                         {"pack_problems", 3},
                                         {"ignored_entries", 6},
                                         {"notes", 2}}));
  EXPECT_EQ(report_.at("exit_status"), 1);
}

TEST_F(FaultyLibrary, ShowAllNumbersRunOnAcrossPacksInListingOrder) {
  int expected = 0;
  int index = 0;
  for (const json& pack : report_.at("packs")) {
    EXPECT_EQ(pack.at("index"), index++);
    int in_pack = 0;
    for (const json& tile : pack.at("tiles")) {
      EXPECT_EQ(tile.at("index"), in_pack++);
      EXPECT_EQ(tile.at("number"), expected++);
    }
  }
  EXPECT_EQ(expected, 10);
}

TEST_F(FaultyLibrary, HumanReportExplainsEachFaultUnderWhatItConcerns) {
  std::string text = Human();
  EXPECT_NE(text.find("\"notes.txt\" is not a folder, so it is no pack"), std::string::npos);
  EXPECT_NE(
      text.find(
          ": 03_No_Hdris, shown as \"No_Hdris\", 1 tile\n  broken [missing_hdris_folder]: no HDRIs "
          "folder: "
          "every click on this pack's tiles shows " +
          kBroken),
      std::string::npos)
      << text;
  EXPECT_NE(
      text.find(
          "      broken [missing_hdri]: neither \"No_Hdri.hdr\" nor \"No_Hdri.exr\" in HDRIs: a "
          "click shows " +
          kBroken),
      std::string::npos);
  EXPECT_NE(text.find("      broken in small mode [missing_small_hdri]: no \"No_Small_SM.hdr\": "
                      "HDRI tags in small "
                      "mode show " +
                      kBroken),
            std::string::npos);
  EXPECT_NE(text.find("ignored [not_a_tile]: \"photo.JPG\" is never a tile"), std::string::npos);
  EXPECT_NE(
      text.find("\nSummary: 5 packs, 10 tiles: 4 fine, 2 broken, 1 broken in small mode, 3 "
                "with fallbacks only; 3 library and pack problems, 6 ignored entries, 2 notes\n"),
      std::string::npos)
      << text;
  // The pack's missing folder is said once, not again under its tile.
  EXPECT_EQ(text.find("      broken [missing_hdris_folder]"), std::string::npos);
}

TEST_F(FaultyLibrary, HumanTableColumnsLineUp) {
  std::istringstream text(Human());
  std::string line;
  size_t header_hdri = std::string::npos;
  while (std::getline(text, line)) {
    if (line.rfind("  tile  all  label", 0) == 0) header_hdri = line.find("HDRI");
    if (line.find("Sunset Beach 01") != std::string::npos) {
      EXPECT_EQ(line.find("Sunset_Beach_01.hdr"), header_hdri) << line;
      EXPECT_EQ(line.rfind("fine"), line.size() - 4);
    }
  }
}

TEST(LibraryCheck, EmptyPacksFallBackAndAnEmptyLibraryFails) {
  TempFolder folder;
  TestLibrary library(folder.path());
  library.AddPack("Only_Folders");
  packlib::LibraryCheck check = CheckLibrary(folder.path().u8string());
  json report = packlib::LibraryCheckJson(check);
  EXPECT_EQ(KindsAt(report, "Only_Folders/Thumbnails"), "no_tiles");
  EXPECT_EQ(report.at("exit_status"), 0);

  TempFolder empty;
  report = packlib::LibraryCheckJson(CheckLibrary(empty.path().u8string()));
  EXPECT_EQ(KindsAt(report, ""), "no_packs");
  EXPECT_EQ(report.at("exit_status"), 1);
}

TEST(LibraryCheck, FoldersNamedLikeThumbnailsAreBlankTiles) {
  TempFolder folder;
  TestLibrary library(folder.path());
  library.AddPack("P");
  std::filesystem::create_directories(folder.path() / "P" / "Thumbnails" / "Odd.jpg");
  std::filesystem::create_directories(folder.path() / "P" / "Thumbnails" / "sub");
  json report = packlib::LibraryCheckJson(CheckLibrary(folder.path().u8string()));
  EXPECT_EQ(KindsAt(report, "P/Thumbnails/Odd.jpg").find("thumbnail_is_folder"), 0u);
  EXPECT_EQ(KindsAt(report, "P/Thumbnails/sub"), "not_a_tile");
}

TEST(LibraryCheck, NamesThatAreNotUtf8StayReadableInBothReports) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows file names are UTF-16: a name whose bytes are not UTF-8 cannot be made";
#endif
  TempFolder folder;
  TestLibrary library(folder.path());
  const std::string pack = "06_Caf\xe9";
  library.AddPack(pack);
  library.AddTile(pack, "Ni\xf1o_Sky");
  packlib::LibraryCheck check = CheckLibrary(folder.path().u8string());

  std::string dumped = packlib::LibraryCheckJson(check).dump();
  json report = json::parse(dumped);
  const json& entry = report.at("packs").at(0);
  EXPECT_EQ(entry.at("folder"), "06_Caf\xEF\xBF\xBD");
  EXPECT_EQ(entry.at("tiles").at(0).at("label"), "Ni\xEF\xBF\xBDo Sky");
  EXPECT_EQ(entry.at("tiles").at(0).at("status"), "fine");
  EXPECT_NE(dumped.find("its bytes are \\\"06_Caf\\\\xe9\\\""), std::string::npos) << dumped;
  EXPECT_NE(report.at("text_encoding").get<std::string>().find("U+FFFD"), std::string::npos);

  std::ostringstream out;
  packlib::WriteHumanReport(check, out);
  EXPECT_NE(out.str().find("Pack 0: 06_Caf\\xe9, shown as \"Caf\\xe9\""), std::string::npos)
      << out.str();
  EXPECT_NE(out.str().find("Ni\\xf1o Sky"), std::string::npos);
}

}  // namespace
}  // namespace lumidrome_test
