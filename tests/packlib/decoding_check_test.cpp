// The library check loads every thumbnail, preview and background with the
// stand-in host's own loader, and tells a pack from a library.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "library_check_support.h"
#include "packlib/human_report.h"
#include "packlib/json_report.h"
#include "packlib/library_scan.h"
#include "test_library.h"

namespace lumidrome_test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

json Report(const fs::path& library) {
  return json::parse(packlib::LibraryCheckJson(packlib::CheckLibrary(library.u8string())).dump());
}

TEST(DecodingCheck, PicturesThatDoNotLoadAreBroken) {
  TempFolder folder;
  TestLibrary library(folder.path());
  library.AddPack("P");
  for (const char* name : {"Empty", "Garbage", "Truncated", "Lying", "Fine"})
    library.AddTile("P", name);
  const fs::path thumbnails = folder.path() / "P" / "Thumbnails";
  const std::string jpeg = Bytes(thumbnails / "Fine.jpg");
  WriteBytes(thumbnails / "Empty.jpg", "");
  WriteBytes(thumbnails / "Garbage.jpg", "GIF89a this is no JPEG");
  WriteBytes(thumbnails / "Truncated.jpg", jpeg.substr(0, 200));
  // A header that claims far more pixels than the file holds.
  std::string lying = jpeg;
  size_t frame = lying.find("\xff\xc0");
  ASSERT_NE(frame, std::string::npos);
  lying[frame + 5] = lying[frame + 6] = lying[frame + 7] = lying[frame + 8] = '\x7f';
  WriteBytes(thumbnails / "Lying.jpg", lying.substr(0, 400));
  WriteBytes(thumbnails / "Fine_md.jpg", "not a picture");
  WriteBytes(folder.path() / "P" / "Background" / "Fine.jpg", "");

  json report = Report(folder.path());
  for (const char* name : {"Empty", "Garbage", "Truncated", "Lying"}) {
    EXPECT_EQ(KindsAt(report, std::string("P/Thumbnails/") + name + ".jpg"),
              "undecodable_thumbnail")
        << name;
    EXPECT_EQ(FindTile(report, "P", std::string(name) + ".jpg")->at("status"), "broken") << name;
  }
  EXPECT_EQ(KindsAt(report, "P/Thumbnails/Fine_md.jpg"), "undecodable_preview");
  EXPECT_EQ(KindsAt(report, "P/Background/Fine.jpg"), "undecodable_background");
  EXPECT_EQ(report.at("exit_status"), 1);

  std::ostringstream text;
  packlib::WriteHumanReport(packlib::CheckLibrary(folder.path().u8string()), text);
  EXPECT_NE(text.str().find("broken [undecodable_thumbnail]: \"Empty.jpg\" does not load ("),
            std::string::npos)
      << text.str();
}

TEST(DecodingCheck, WrongSizesFallBackToStretchedOrScaledPictures) {
  TempFolder folder;
  TestLibrary library(folder.path());
  library.AddPack("P");
  library.AddTile("P", "Square");
  library.AddTile("P", "Half");
  const fs::path pack = folder.path() / "P";
  WriteJpeg(pack / "Thumbnails" / "Square.jpg", 300, 300, Colour());
  WriteJpeg(pack / "Thumbnails" / "Half_sm.jpg", 80, 40, Colour());
  WriteJpeg(pack / "Background" / "Half.jpg", 100, 100, Colour());
  json report = Report(folder.path());
  EXPECT_EQ(KindsAt(report, "P/Thumbnails/Square.jpg"), "wrong_thumbnail_size");
  EXPECT_EQ(KindsAt(report, "P/Thumbnails/Half_sm.jpg"), "wrong_preview_size");
  EXPECT_EQ(KindsAt(report, "P/Background/Half.jpg"), "wrong_background_size");
  EXPECT_EQ(FindTile(report, "P", "Square.jpg")->at("status"), "fallback");
  EXPECT_EQ(report.at("exit_status"), 0);
  std::string dumped = report.dump();
  EXPECT_NE(dumped.find("is 300 x 300, not 400 x 200: it is drawn stretched"), std::string::npos);
  EXPECT_NE(dumped.find("is 80 x 40, not 160 x 80: it is drawn scaled"), std::string::npos);
}

TEST(DecodingCheck, APackGivenAsTheLibraryIsNamedAndFails) {
  TempFolder folder;
  TestLibrary library(folder.path());
  library.AddPack("05_Skies");
  library.AddTile("05_Skies", "Dawn");
  json report = Report(folder.path() / "05_Skies");
  EXPECT_EQ(KindsAt(report, ""), "pack_not_library");
  EXPECT_EQ(report.at("summary").at("pack_problems"), 4);  // and three packs without tiles
  EXPECT_EQ(report.at("exit_status"), 1);
  EXPECT_EQ(Report(folder.path()).at("exit_status"), 0);
}

}  // namespace
}  // namespace lumidrome_test
