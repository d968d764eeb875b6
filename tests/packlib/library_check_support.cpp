#include "library_check_support.h"

#include <unistd.h>

#include <atomic>

#include "test_library.h"

namespace lumidrome_test {

namespace fs = std::filesystem;

namespace {

void WriteGoodPack(TestLibrary& library) {
  library.AddPack("01_Good");
  library.AddTile("01_Good", "Sunset_Beach_01");
  library.AddTile("01_Good", "Dusk.blue");
  TileFiles exr;
  exr.hdri = ".exr";
  library.AddTile("01_Good", "Cave", exr);
}

void WriteFaultsPack(TestLibrary& library) {
  const fs::path pack = library.AddPack("02_Faults");
  TileFiles files;
  files.hdri = "";
  library.AddTile("02_Faults", "No_Hdri", files);
  files = TileFiles();
  files.small_hdri = false;
  library.AddTile("02_Faults", "No_Small", files);
  files = TileFiles();
  files.background = false;
  library.AddTile("02_Faults", "No_Background", files);
  files = TileFiles();
  files.medium = files.small = false;
  library.AddTile("02_Faults", "No_Previews", files);
  library.AddTile("02_Faults", "Both");
  WriteBytes(pack / "HDRIs" / "Both.exr", "exr");
  for (const char* name : {"photo.JPG", "photo.jpeg", "photo.png", "Ghost_md.jpg"}) {
    WriteJpeg(pack / "Thumbnails" / name, 40, 20, Colour());
  }
}

void WriteFolderFaultPacks(TestLibrary& library) {
  library.AddPack("03_No_Hdris");
  library.AddTile("03_No_Hdris", "Lost");
  fs::remove_all(library.root() / "03_No_Hdris" / "HDRIs");
  library.AddPack("04_No_Thumbnails");
  fs::remove_all(library.root() / "04_No_Thumbnails" / "Thumbnails");
  library.AddPack("05_No_Background");
  library.AddTile("05_No_Background", "Plain");
  fs::remove_all(library.root() / "05_No_Background" / "Background");
}

}  // namespace

void WriteFaultyLibrary(const fs::path& root) {
  TestLibrary library(root);
  WriteGoodPack(library);
  WriteFaultsPack(library);
  WriteFolderFaultPacks(library);
  WriteBytes(root / "notes.txt", "not a pack");
  WriteBytes(root / ".DS_Store", "");
}

namespace {

void CollectKinds(const nlohmann::json& findings, const std::string& path, std::string* kinds) {
  for (const nlohmann::json& finding : findings) {
    if (finding.at("path") != path) continue;
    if (!kinds->empty()) *kinds += " ";
    *kinds += finding.at("kind").get<std::string>();
  }
}

}  // namespace

std::string KindsAt(const nlohmann::json& report, const std::string& path) {
  std::string kinds;
  CollectKinds(report.at("findings"), path, &kinds);
  for (const nlohmann::json& pack : report.at("packs")) {
    CollectKinds(pack.at("findings"), path, &kinds);
    for (const nlohmann::json& tile : pack.at("tiles"))
      CollectKinds(tile.at("findings"), path, &kinds);
  }
  return kinds;
}

const nlohmann::json* FindTile(const nlohmann::json& report, const std::string& pack,
                               const std::string& file) {
  for (const nlohmann::json& entry : report.at("packs")) {
    if (entry.at("folder") != pack) continue;
    for (const nlohmann::json& tile : entry.at("tiles")) {
      if (tile.at("file") == file) return &tile;
    }
  }
  return nullptr;
}

}  // namespace lumidrome_test
