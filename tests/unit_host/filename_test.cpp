// Path arithmetic of Filename in the build's own path style: POSIX paths
// on Linux and macOS, Windows paths on Windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "c4d_file.h"
#include "host_test_util.h"

namespace {

using host_test::Text;

#if !defined(_WIN32)

TEST(FilenameJoin, AddsOneSeparatorBetweenParts) {
  EXPECT_EQ(Text(Filename("/a") + Filename("b")), "/a/b");
  EXPECT_EQ(Text(Filename("/a/") + Filename("b")), "/a/b");
  EXPECT_EQ(Text(Filename("/a") + Filename("/b")), "/a/b");
  EXPECT_EQ(Text(Filename("/") + Filename("b")), "/b");
  EXPECT_EQ(Text(Filename("/plugins/Lumidrome") + "res" + "icon.png"),
            "/plugins/Lumidrome/res/icon.png");
}

TEST(FilenameJoin, EmptySideYieldsTheOther) {
  EXPECT_EQ(Text(Filename() + Filename("Packs")), "Packs");
  EXPECT_EQ(Text(Filename("/a") + Filename()), "/a");
  EXPECT_FALSE((Filename() + Filename()).Content());
}

TEST(FilenameDirectory, WalkingUpEndsWithAnEmptyPath) {
  std::vector<std::string> visited;
  Filename path("/home/user/prefs/plugins/Lumidrome");
  for (int guard = 0; path.Content() && guard < 20; ++guard) {
    visited.push_back(Text(path));
    path = path.GetDirectory();
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"/home/user/prefs/plugins/Lumidrome",
                                               "/home/user/prefs/plugins", "/home/user/prefs",
                                               "/home/user", "/home", "/"}));
  EXPECT_FALSE(path.Content());
}

TEST(FilenameDirectory, EdgeCases) {
  EXPECT_EQ(Text(Filename("/a").GetDirectory()), "/");
  EXPECT_FALSE(Filename("/").GetDirectory().Content());
  EXPECT_FALSE(Filename("relative").GetDirectory().Content());
  EXPECT_EQ(Text(Filename("/a/b/").GetDirectory()), "/a");
  EXPECT_EQ(Text(Filename("/a//b").GetDirectory()), "/a");
  EXPECT_FALSE(Filename().GetDirectory().Content());
}

TEST(FilenameFile, LastPartOnly) {
  EXPECT_EQ(Text(Filename("/a/b/Sunset_Beach_01.jpg").GetFile()), "Sunset_Beach_01.jpg");
  EXPECT_EQ(Text(Filename("/a/b/").GetFile()), "b");
  EXPECT_EQ(Text(Filename("name").GetFile()), "name");
  EXPECT_FALSE(Filename("/").GetFile().Content());
  EXPECT_EQ(Text(Filename("/a/b.jpg").GetFileString()), "b.jpg");
}

TEST(FilenameFile, SetFileAndDirectory) {
  Filename path("/a/b.jpg");
  path.SetFile(Filename("c.png"));
  EXPECT_EQ(Text(path), "/a/c.png");
  path.SetDirectory(Filename("/x/y"));
  EXPECT_EQ(Text(path), "/x/y/c.png");
}

TEST(FilenameSuffix, TextAfterTheLastDotOfTheLastPart) {
  EXPECT_EQ(Text(Filename("/p/Thumbnails/Dusk.blue.jpg").GetSuffix()), "jpg");
  EXPECT_EQ(Text(Filename("/p/photo.JPG").GetSuffix()), "JPG");
  EXPECT_EQ(Text(Filename("/dir.d/name").GetSuffix()), "");
  EXPECT_EQ(Text(Filename("/p/name.").GetSuffix()), "");
  EXPECT_EQ(Text(Filename("/p/.DS_Store").GetSuffix()), "DS_Store");
  EXPECT_TRUE(Filename("/p/photo.JPG").CheckSuffix("jpg"));
  EXPECT_FALSE(Filename("/p/photo.jpeg").CheckSuffix("jpg"));
}

TEST(FilenameSuffix, ClearSuffixKeepsEarlierDots) {
  Filename path("/p/Thumbnails/Dusk.blue.jpg");
  path.ClearSuffix();
  EXPECT_EQ(Text(path), "/p/Thumbnails/Dusk.blue");
  Filename noSuffix("/dir.d/name");
  noSuffix.ClearSuffix();
  EXPECT_EQ(Text(noSuffix), "/dir.d/name");
  // Trailing separators go with the suffix.
  Filename trailing("/p/name.jpg//");
  EXPECT_EQ(Text(trailing.GetSuffix()), "jpg");
  EXPECT_EQ(Text(trailing.GetFile()), "name.jpg");
  trailing.ClearSuffix();
  EXPECT_EQ(Text(trailing), "/p/name");
}

TEST(FilenameSuffix, OnlyClearSuffixCompleteRemovesLongSuffixes) {
  Filename shortSuffix("/m/Lumidrome.cdl64");
  shortSuffix.ClearSuffix();
  EXPECT_EQ(Text(shortSuffix), "/m/Lumidrome");

  Filename longSuffix("/m/Release 1.2 candidate");
  longSuffix.ClearSuffix();
  EXPECT_EQ(Text(longSuffix), "/m/Release 1.2 candidate");
  longSuffix.ClearSuffixComplete();
  EXPECT_EQ(Text(longSuffix), "/m/Release 1");
}

TEST(FilenameSuffix, SetSuffixReplacesTheSuffix) {
  Filename path("/p/name.jpg");
  path.SetSuffix("png");
  EXPECT_EQ(Text(path), "/p/name.png");
  path.SetSuffix("");
  EXPECT_EQ(Text(path), "/p/name");
  Filename root("/");
  root.SetSuffix("png");
  EXPECT_EQ(Text(root), "/");
}

TEST(FilenameCompare, TrailingSlashesDoNotMatter) {
  EXPECT_TRUE(Filename("/home/user/") == Filename("/home/user"));
  EXPECT_TRUE(Filename("/") == Filename("//"));
  EXPECT_FALSE(Filename("/home/User") == Filename("/home/user"));
  EXPECT_TRUE(Filename("/a") != Filename("/a/b"));
  EXPECT_TRUE(Filename() == Filename(""));
}

TEST(FilenameText, InvalidUtf8BytesSurviveTheRoundTrip) {
  const std::string raw = "/packs/caf\xE9/\xFF\xFE.jpg";
  Filename path(String(raw.c_str(), STRINGENCODING_UTF8));
  EXPECT_EQ(Text(path.GetDirectory()), "/packs/caf\xE9");
  EXPECT_EQ(Text(path.GetFile()), "\xFF\xFE.jpg");
  EXPECT_EQ(Text(path), raw);
}

#else  // Windows paths

TEST(WindowsFilename, PluginPathsFromTheModulePath) {
  Filename module("C:\\Users\\Ann\\AppData\\Roaming\\Host\\plugins\\Lumidrome\\Lumidrome.cdl64");
  Filename plugin = module.GetDirectory();
  EXPECT_EQ(Text(plugin), "C:\\Users\\Ann\\AppData\\Roaming\\Host\\plugins\\Lumidrome");
  EXPECT_EQ(
      Text(plugin + Filename("Packs") + Filename("01_Studio") + Filename("Thumbnails")),
      "C:\\Users\\Ann\\AppData\\Roaming\\Host\\plugins\\Lumidrome\\Packs\\01_Studio\\Thumbnails");
  EXPECT_EQ(
      Text(plugin + "res" + "VexaLumidromeRemotePath.hf"),
      "C:\\Users\\Ann\\AppData\\Roaming\\Host\\plugins\\Lumidrome\\res\\VexaLumidromeRemotePath."
      "hf");
  Filename name = module.GetFile();
  name.ClearSuffixComplete();
  EXPECT_EQ(Text(name), "Lumidrome");
}

TEST(WindowsFilename, InstallWalkMeetsTheUserFolderWhateverTheSpelling) {
  Filename userFolder = Filename("c:/users/ann/appdata/roaming/host/prefs").GetDirectory();
  Filename path("C:\\Users\\Ann\\AppData\\Roaming\\Host\\plugins\\Lumidrome");
  int steps = 0;
  while (path.Content() && !(path == userFolder) && steps < 20) {
    path = path.GetDirectory();
    ++steps;
  }
  EXPECT_EQ(steps, 2);
  EXPECT_TRUE(path == userFolder);
  EXPECT_FALSE(Filename("C:\\").GetDirectory().Content());
}

TEST(WindowsFilename, NetworkLibraryFilesAndSuffixes) {
  Filename library("\\\\nas\\hdri");
  Filename thumb = library + "01_Studio" + "Thumbnails" + "Soft_Box_01.jpg";
  EXPECT_EQ(Text(thumb), "\\\\nas\\hdri\\01_Studio\\Thumbnails\\Soft_Box_01.jpg");
  EXPECT_EQ(Text(thumb.GetSuffix()), "jpg");
  EXPECT_TRUE(thumb.CheckSuffix("JPG"));
  thumb.ClearSuffix();
  EXPECT_EQ(Text(thumb.GetFile()), "Soft_Box_01");
  Filename hdri("D:/Packs.v2/01_Studio/HDRIs/Soft_Box_01");
  hdri.SetSuffix("hdr");
  EXPECT_EQ(Text(hdri), "D:/Packs.v2/01_Studio/HDRIs/Soft_Box_01.hdr");
  Filename folder("D:\\Packs.v2\\HDRIs");
  EXPECT_EQ(Text(folder.GetSuffix()), "");
  EXPECT_FALSE(library.GetDirectory().Content());
}

#endif

}  // namespace
