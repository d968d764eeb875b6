// The platform layer as the rest of the host relies on it: names in UTF-8,
// replacing a file in one step, streams over memory, unique folders, and the
// path helpers built on the system's separators.
#include "platform/platform.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>  // the permissions check
#endif

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "temp_folder.h"
#include "text/text_util.h"

namespace {

namespace platform = simhost::platform;
using lumidrome_test::TempFolder;

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = platform::OpenFile(path, "wb");
  ASSERT_NE(file, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::vector<uint8_t> bytes(64);
  std::FILE* file = platform::OpenFile(path, "rb");
  if (file == nullptr) return {};
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
  std::fclose(file);
  return bytes;
}

const std::string kOddName =
    "Pr\xC3\xBC"
    "fung \xE2\x98\x80 Ordner";  // "Prüfung ☀ Ordner"

TEST(PlatformFiles, NonAsciiNamesListStatAndOpenAsUtf8) {
  TempFolder temp("simhost-platform");
  const std::string folder = simhost::JoinPath(temp.Utf8Path(), kOddName);
  ASSERT_TRUE(platform::MakeFolder(folder));
  EXPECT_FALSE(platform::MakeFolder(folder)) << "a second make of the same folder";
  const std::string file = simhost::JoinPath(folder, kOddName + ".bin");
  std::FILE* out = platform::OpenFile(file, "wb");
  ASSERT_NE(out, nullptr);
  std::fputs("four", out);
  std::fclose(out);

  EXPECT_EQ(platform::ListFolder(temp.Utf8Path()), std::vector<std::string>{kOddName});
  EXPECT_EQ(platform::ListFolder(folder), std::vector<std::string>{kOddName + ".bin"});
  const platform::FileInfo info = platform::Stat(file);
  EXPECT_TRUE(info.exists && info.is_regular && !info.is_folder);
  EXPECT_EQ(info.size, 4);
  EXPECT_TRUE(platform::Stat(folder).is_folder);

  std::string error;
  EXPECT_TRUE(platform::ListFolder(simhost::JoinPath(temp.Utf8Path(), "missing"), &error).empty());
  EXPECT_FALSE(error.empty()) << "an unreadable folder says why";
  EXPECT_TRUE(platform::RemoveFile(file));
  EXPECT_TRUE(platform::RemoveFolder(folder));
  EXPECT_FALSE(platform::Stat(folder).exists);
}

TEST(PlatformFiles, MoveIntoPlaceReplacesAnExistingFile) {
  TempFolder temp("simhost-platform");
  const std::string target = temp.File("settings.bin");
  WriteBytes(target, {1, 2, 3});
  std::string temp_path, reason;
  std::FILE* file = platform::CreateFileBeside(target, &temp_path, &reason);
  ASSERT_NE(file, nullptr) << reason;
  EXPECT_NE(temp_path, target);
  EXPECT_EQ(simhost::ParentFolder(temp_path), temp.Utf8Path()) << "beside it, on the same disk";
  const unsigned char bytes[] = {9, 8};
  ASSERT_EQ(std::fwrite(bytes, 1, 2, file), 2u);
  EXPECT_TRUE(platform::FlushToDisk(file));
  EXPECT_EQ(platform::OpenFileLength(file), 2);
  std::fclose(file);

  ASSERT_TRUE(platform::MoveIntoPlace(temp_path, target, &reason)) << reason;
  EXPECT_EQ(ReadBytes(target), (std::vector<uint8_t>{9, 8}));
  EXPECT_EQ(platform::ListFolder(temp.Utf8Path()).size(), 1u) << "nothing left beside it";
  EXPECT_FALSE(platform::MoveIntoPlace(temp_path, target, &reason));
  EXPECT_FALSE(reason.empty());
}

#ifndef _WIN32
TEST(PlatformFiles, AReplacementKeepsTheOldFilesPermissions) {
  TempFolder temp("simhost-platform");
  const std::string target = temp.File("shared.bin");
  WriteBytes(target, {1});
  ASSERT_EQ(::chmod(target.c_str(), 0644), 0);
  std::string temp_path, reason;
  std::FILE* file = platform::CreateFileBeside(target, &temp_path, &reason);
  ASSERT_NE(file, nullptr) << reason;
  std::fclose(file);
  ASSERT_TRUE(platform::MoveIntoPlace(temp_path, target, &reason));
  struct stat info;
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u) << "not the private mode of a fresh temporary file";
}
#endif

TEST(PlatformFiles, MemoryStreamsReadTheGivenBytes) {
  const std::vector<uint8_t> bytes = {'J', 'P', 0, 'G', 0xFF};
  std::FILE* stream = platform::OpenMemory(bytes.data(), bytes.size());
  ASSERT_NE(stream, nullptr);
  std::vector<uint8_t> back(8);
  EXPECT_EQ(std::fread(back.data(), 1, back.size(), stream), bytes.size());
  back.resize(bytes.size());
  EXPECT_EQ(back, bytes);
  std::fclose(stream);
}

TEST(PlatformFolders, UniqueFoldersAreNewEveryTime) {
  TempFolder temp("simhost-platform");
  std::string reason;
  const std::string first = platform::MakeUniqueFolder(temp.Utf8Path(), kOddName + "-", &reason);
  const std::string second = platform::MakeUniqueFolder(temp.Utf8Path(), kOddName + "-", &reason);
  ASSERT_FALSE(first.empty()) << reason;
  ASSERT_FALSE(second.empty()) << reason;
  EXPECT_NE(first, second);
  EXPECT_TRUE(platform::Stat(first).is_folder && platform::Stat(second).is_folder);
  EXPECT_EQ(simhost::ParentFolder(first), temp.Utf8Path());
  EXPECT_TRUE(platform::MakeUniqueFolder(temp.File("missing/below"), "x", &reason).empty());
  EXPECT_TRUE(platform::Stat(platform::TempFolder()).is_folder);
  EXPECT_FALSE(platform::HomeFolder().empty());
  EXPECT_FALSE(platform::AppDataFolder().empty());
  EXPECT_TRUE(platform::Stat(platform::ProgramFolder()).is_folder);
}

TEST(PlatformPaths, JoinAndParentKeepTheRoot) {
  const char sep = platform::kPreferredSeparator;
  EXPECT_EQ(simhost::JoinPath("a", "b"), std::string("a") + sep + "b");
  EXPECT_EQ(simhost::JoinPath("a/", "b"), "a/b");
  EXPECT_EQ(simhost::ParentFolder("/a/b/"), "/a");
  EXPECT_EQ(simhost::ParentFolder("/a"), "/");
  EXPECT_EQ(simhost::ParentFolder("/"), "");
  EXPECT_EQ(simhost::ParentFolder("a"), "");
  EXPECT_EQ(simhost::NormalFolder("/a/./b/../c//"), std::string(1, sep) + "a" + sep + "c");
#ifdef _WIN32
  EXPECT_EQ(simhost::ParentFolder("C:\\Users\\Me"), "C:\\Users");
  EXPECT_EQ(simhost::ParentFolder("C:\\Users"), "C:\\");
  EXPECT_EQ(simhost::NormalFolder("C:\\"), "C:\\");
  EXPECT_EQ(simhost::JoinPath("C:\\", "x"), "C:\\x");
#endif
}

}  // namespace
