// What the checks write before they start the module: the copy of the
// plug-in folder each check installs, and the hostile library, in folders
// whose names hold spaces and non-ASCII letters.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "platform/platform.h"
#include "temp_folder.h"
#include "validate/checks/hostile_library.h"
#include "validate/checks/module_under_test.h"

namespace simhost_app {
namespace {

namespace fs = std::filesystem;
using simhost::platform::PathFromUtf8;
using simhost::platform::Utf8FromPath;

bool Mentions(const std::vector<std::string>& lines, const std::string& part) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.find(part) != std::string::npos; });
}

// The source and the scratch folder lie on one drive, below names that the
// narrow file APIs of Windows cannot spell. The library the developer last
// chose in the folder under test stays out of the copy.
TEST(CheckFolders, ThePluginCopyIsInstalledWithoutSettingsAndStartsFromNonAsciiFolders) {
  lumidrome_test::TempFolder base("check-folders-test");
  const fs::path source = base.path() / PathFromUtf8("Quelle \xc3\xbc") / "Lumidrome";
  std::error_code error;
  fs::create_directories(source.parent_path(), error);
  fs::copy(PathFromUtf8(LUMIDROME_R17_FOLDER), source, fs::copy_options::recursive, error);
  ASSERT_FALSE(error) << error.message();
  const std::vector<std::string> settings_files = {"VexaLumidromeRemotePath.hf",
                                                   "VexaLumidromeRemotePath.txt"};
  for (const std::string& name : settings_files) {
    std::ofstream(source / "res" / name, std::ios::binary) << "/home/developer/My Library";
  }
  ValidationSettings settings;
  settings.plugin_folder = Utf8FromPath(source);
  settings.scratch_folder = Utf8FromPath(base.path() / PathFromUtf8("Pr\xc3\xbc"
                                                                    "fung \xc3\x96"));
  for (int run = 0; run < 2; ++run) {  // the second replaces the first copy
    ModuleUnderTest module(settings, "check \xce\xa9");
    std::string why;
    ASSERT_TRUE(module.Ready(&why)) << why;
    const fs::path file = module.plugin_folder() / PathFromUtf8(std::string("Lumidrome") +
                                                                simhost::platform::ModuleSuffix());
    EXPECT_TRUE(fs::is_regular_file(file)) << Utf8FromPath(file);
    EXPECT_EQ(Utf8FromPath(module.plugin_folder().parent_path().filename()), "plugins");
    for (const std::string& name : settings_files) {
      EXPECT_FALSE(fs::exists(module.plugin_folder() / "res" / name)) << name;
      EXPECT_TRUE(fs::exists(source / "res" / name)) << name;
    }
    EXPECT_TRUE(module.Load()) << "the copy in " << Utf8FromPath(module.plugin_folder());
  }
}

TEST(CheckFolders, TheHostileLibraryHoldsWhatThisSystemAllowsAndSaysWhatNot) {
  lumidrome_test::TempFolder base("hostile-library-test");
  const fs::path root = base.path() / PathFromUtf8("library \xc3\xa9");
  const HostileLibrary library = BuildHostileLibrary(root, 3);
  for (const fs::path& pack : library.packs) {
    EXPECT_TRUE(fs::is_directory(pack)) << Utf8FromPath(pack);
  }
  const fs::path odd = root / "08_Odd_Names" / "Thumbnails";
  // Non-ASCII names are stored as their UTF-8 spells them.
  EXPECT_TRUE(fs::is_regular_file(odd / PathFromUtf8("Z\xc3\xbcrich_\xce\xa9.jpg")));
  EXPECT_TRUE(fs::is_regular_file(root / "10_Many" / "HDRIs" / "Tile_2.hdr"));
  std::error_code error;
  const bool linked =
      fs::is_symlink(root / "07_Broken_Pictures" / "Thumbnails" / "Dangling.jpg", error);
  EXPECT_EQ(linked, !Mentions(library.left_out, "links")) << "links made, or said to be left out";
#ifdef _WIN32
  // A backslash there would make a folder "Back" instead of an odd name.
  EXPECT_FALSE(fs::exists(odd / "Back"));
  EXPECT_TRUE(Mentions(library.left_out, "5 tiles with names this system forbids"));
  EXPECT_TRUE(Mentions(library.left_out, "1 pack with names this system forbids"));
#else
  EXPECT_TRUE(library.left_out.empty()) << library.left_out.front();
  EXPECT_TRUE(fs::is_regular_file(odd / "Back\\slash.jpg"));
  EXPECT_TRUE(fs::is_directory(root / "\xc3\x28_Not_UTF8"));
#endif
}

}  // namespace
}  // namespace simhost_app
