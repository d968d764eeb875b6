// Path arithmetic of both styles, run in every build: Windows paths are
// checked on Linux too, and POSIX paths on Windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "c4d_file_path.h"
#include "host_test_util.h"

namespace {

using c4dhost::PathStyle;
using host_test::Text;

const PathStyle kWin = PathStyle::kWindows;
const PathStyle kPosix = PathStyle::kPosix;

std::string Directory(const char* path, PathStyle style = kWin) {
  return Text(c4dhost::PathDirectory(path, style));
}

std::string File(const char* path, PathStyle style = kWin) {
  return Text(c4dhost::PathFile(path, style));
}

std::string Join(const char* parent, const char* child, PathStyle style = kWin) {
  return Text(c4dhost::JoinPaths(parent, child, style));
}

// Every directory visited walking up from path, path included.
std::vector<std::string> WalkUp(const char* path, PathStyle style = kWin) {
  std::vector<std::string> visited;
  String current(path);
  for (int guard = 0; current.Content() && guard < 20; ++guard) {
    visited.push_back(Text(current));
    current = c4dhost::PathDirectory(current, style);
  }
  return visited;
}

TEST(WindowsPathRoots, DriveNetworkShareAndCurrentDrive) {
  EXPECT_EQ(c4dhost::PathRootLength("C:\\Users", kWin), 3);
  EXPECT_EQ(c4dhost::PathRootLength("c:/Users", kWin), 3);
  EXPECT_EQ(c4dhost::PathRootLength("C:Users", kWin), 2);
  EXPECT_EQ(c4dhost::PathRootLength("\\\\server\\share\\hdri", kWin), 14);
  EXPECT_EQ(c4dhost::PathRootLength("//server/share", kWin), 14);
  EXPECT_EQ(c4dhost::PathRootLength("\\\\server", kWin), 8);
  EXPECT_EQ(c4dhost::PathRootLength("\\Users", kWin), 1);
  EXPECT_EQ(c4dhost::PathRootLength("Packs\\a", kWin), 0);
  EXPECT_EQ(c4dhost::PathRootLength("C:\\Users", kPosix), 0);
}

TEST(WindowsPathDirectory, WalkingUpFromThePluginEndsAtTheDrive) {
  EXPECT_EQ(WalkUp("C:\\Users\\Ann\\AppData\\Roaming\\Host\\plugins\\Lumidrome"),
            (std::vector<std::string>{"C:\\Users\\Ann\\AppData\\Roaming\\Host\\plugins\\Lumidrome",
                                      "C:\\Users\\Ann\\AppData\\Roaming\\Host\\plugins",
                                      "C:\\Users\\Ann\\AppData\\Roaming\\Host",
                                      "C:\\Users\\Ann\\AppData\\Roaming", "C:\\Users\\Ann\\AppData",
                                      "C:\\Users\\Ann", "C:\\Users", "C:\\"}));
  EXPECT_EQ(WalkUp("\\\\nas\\hdri\\Packs\\01_Studio"),
            (std::vector<std::string>{"\\\\nas\\hdri\\Packs\\01_Studio", "\\\\nas\\hdri\\Packs",
                                      "\\\\nas\\hdri"}));
  EXPECT_EQ(WalkUp("D:/Host/plugins/"),
            (std::vector<std::string>{"D:/Host/plugins/", "D:/Host", "D:/"}));
}

TEST(WindowsPathDirectory, EdgeCases) {
  EXPECT_EQ(Directory("C:\\Lumidrome.cdl64"), "C:\\");
  EXPECT_EQ(Directory("C:Lumidrome.cdl64"), "C:");
  EXPECT_EQ(Directory("\\plugins"), "\\");
  EXPECT_EQ(Directory("C:\\a\\\\b"), "C:\\a");
  EXPECT_EQ(Directory("C:\\a/b\\"), "C:\\a");
  EXPECT_EQ(Directory("\\\\nas\\hdri\\"), "");
  EXPECT_EQ(Directory("C:\\"), "");
  EXPECT_EQ(Directory("Packs"), "");
  EXPECT_EQ(Directory("Packs\\Thumbnails"), "Packs");
  // A backslash is an ordinary character of a POSIX name.
  EXPECT_EQ(Directory("/srv/odd\\name", kPosix), "/srv");
}

TEST(WindowsPathFile, LastPartOnly) {
  EXPECT_EQ(File("C:\\p\\Thumbnails\\Soft_Box_01.jpg"), "Soft_Box_01.jpg");
  EXPECT_EQ(File("C:\\p/Thumbnails/Soft_Box_01_md.jpg"), "Soft_Box_01_md.jpg");
  EXPECT_EQ(File("C:\\p\\"), "p");
  EXPECT_EQ(File("C:name"), "name");
  EXPECT_EQ(File("\\\\nas\\hdri\\x.hdr"), "x.hdr");
  EXPECT_EQ(File("\\\\nas\\hdri"), "");
  EXPECT_EQ(File("C:\\"), "");
  EXPECT_EQ(File("/srv/odd\\name", kPosix), "odd\\name");
}

TEST(WindowsPathJoin, OneBackslashBetweenParts) {
  EXPECT_EQ(Join("C:\\Host\\plugins\\Lumidrome", "Packs"), "C:\\Host\\plugins\\Lumidrome\\Packs");
  EXPECT_EQ(Join("C:\\", "Packs"), "C:\\Packs");
  EXPECT_EQ(Join("C:/Host/", "\\res"), "C:/Host/res");
  EXPECT_EQ(Join("\\\\nas\\hdri", "01_Studio"), "\\\\nas\\hdri\\01_Studio");
  EXPECT_EQ(Join("", "Packs"), "Packs");
  EXPECT_EQ(Join("C:\\a", ""), "C:\\a");
  EXPECT_EQ(Join("/a", "b", kPosix), "/a/b");
}

TEST(WindowsPathSuffix, DotOfTheLastPartOnly) {
  EXPECT_EQ(c4dhost::PathSuffixDot("C:\\dir.d\\name", kWin), -1);
  EXPECT_EQ(c4dhost::PathSuffixDot("C:\\dir.d\\name.hdr", kWin), 13);
  EXPECT_EQ(c4dhost::PathSuffixDot("C:\\dir.d/name", kWin), -1);
  EXPECT_EQ(c4dhost::PathSuffixDot("\\\\nas.local\\share", kWin), -1);
  EXPECT_EQ(c4dhost::PathSuffixDot("C:\\p\\x.hdr\\/", kWin), 6);
  EXPECT_EQ(c4dhost::TrimmedLength("\\\\nas\\hdri\\\\", kWin), 10);
  // Under POSIX rules "dir.d\name" is one name with a dot.
  EXPECT_EQ(c4dhost::PathSuffixDot("/dir.d\\name", kPosix), 4);
}

TEST(WindowsPathCompare, CaseAndSeparatorsDoNotMatter) {
  EXPECT_TRUE(c4dhost::SamePath("C:\\Users\\Ann\\", "c:/users/ann", kWin));
  EXPECT_TRUE(c4dhost::SamePath("\\\\NAS\\hdri", "\\\\nas\\HDRI\\", kWin));
  EXPECT_FALSE(c4dhost::SamePath("C:\\Users", "C:\\Users\\Ann", kWin));
  EXPECT_FALSE(c4dhost::SamePath("C:\\", "C:", kWin));
  EXPECT_FALSE(c4dhost::SamePath("C:\\Users", "D:\\Users", kWin));
  EXPECT_FALSE(c4dhost::SamePath("/home/User", "/home/user", kPosix));
  EXPECT_TRUE(c4dhost::SamePath("/home/user/", "/home/user", kPosix));
}

}  // namespace
