// Binary files, directory iteration and the file-system questions, through
// the table as the module uses them.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#endif

#include <algorithm>

#include "files/file_codes.h"
#include "host.h"
#include "platform/platform.h"
#include "test_support.h"

namespace simhost {
namespace {

using simhost_test::ReadBytes;
using simhost_test::TempFolder;
using simhost_test::TextCatcher;
using simhost_test::WriteBytes;

class FilesTest : public ::testing::Test {
 protected:
  Host host_;
  const c4d_file_api& api_ = *host_.Table().file;
  TempFolder folder_{simhost_test::kTempPrefix};
};

TEST_F(FilesTest, Int32FollowsTheByteOrderChosenAtOpenOrLater) {
  const std::string path = folder_.File("order.bin");
  c4d_file* file = api_.bf_alloc();
  ASSERT_TRUE(api_.bf_open(file, path.c_str(), file_open::kWrite, file_dialog::kNone,
                           byte_order::kBigEndian, C4D_MACTYPE_CINEMA, C4D_MACCREATOR_CINEMA));
  ASSERT_TRUE(api_.bf_write_int32(file, 0x01020304));
  api_.bf_set_order(file, byte_order::kLittleEndian);
  ASSERT_TRUE(api_.bf_write_int32(file, 0x01020304));
  ASSERT_TRUE(api_.bf_write_int32(file, -2));
  ASSERT_TRUE(api_.bf_close(file));
  EXPECT_EQ(ReadBytes(path),
            (std::vector<uint8_t>{1, 2, 3, 4, 4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF}));

  ASSERT_TRUE(api_.bf_open(file, path.c_str(), file_open::kRead, file_dialog::kNone,
                           byte_order::kLittleEndian, 0, 0));
  EXPECT_EQ(api_.bf_get_length(file), 12);
  int32_t value = 0;
  ASSERT_TRUE(api_.bf_read_int32(file, &value));
  EXPECT_EQ(value, 0x04030201);
  ASSERT_TRUE(api_.bf_seek(file, 4, file_seek::kRelative));
  ASSERT_TRUE(api_.bf_read_int32(file, &value));
  EXPECT_EQ(value, -2);
  EXPECT_EQ(api_.bf_get_position(file), 12);
  api_.bf_free(file);
}

// The settings twin: length (text + zero) little-endian, then the bytes.
TEST_F(FilesTest, ALengthPrefixedStringLaysOutAsTheHostWritesIt) {
  const std::string path = folder_.File("twin.txt");
  const std::string text = "C:/Libraries/HDRI/Pk";  // 20 characters
  c4d_file* file = api_.bf_alloc();
  ASSERT_TRUE(api_.bf_open(file, path.c_str(), file_open::kWrite, file_dialog::kAny,
                           byte_order::kLittleEndian, C4D_MACTYPE_CINEMA, C4D_MACCREATOR_CINEMA));
  ASSERT_TRUE(api_.bf_write_int32(file, static_cast<int32_t>(text.size() + 1)));
  ASSERT_TRUE(api_.bf_write_bytes(file, text.c_str(), static_cast<int64_t>(text.size() + 1)));
  api_.bf_free(file);  // freeing closes
  const std::vector<uint8_t> bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), 25u);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 4),
            (std::vector<uint8_t>{0x15, 0, 0, 0}));
  EXPECT_EQ(bytes.back(), 0);
  EXPECT_TRUE(host_.ErrorDialogs().empty());
}

TEST_F(FilesTest, ShortReadsAndMisuseSetErrorsThatStick) {
  const std::string path = folder_.File("short.bin");
  WriteBytes(path, {1, 2});
  c4d_file* file = api_.bf_alloc();
  ASSERT_TRUE(api_.bf_open(file, path.c_str(), file_open::kRead, file_dialog::kNone,
                           byte_order::kBigEndian, 0, 0));
  char buffer[8];
  EXPECT_EQ(api_.bf_read_bytes(file, buffer, 8, 1), 2);  // just trying: no error
  EXPECT_EQ(api_.bf_get_error(file), file_error::kNone);
  ASSERT_TRUE(api_.bf_seek(file, 0, file_seek::kStart));
  int32_t value;
  EXPECT_FALSE(api_.bf_read_int32(file, &value));
  EXPECT_EQ(api_.bf_get_error(file), file_error::kRead);
  EXPECT_FALSE(api_.bf_seek(file, 0, file_seek::kStart));  // stopped by the error
  api_.bf_set_error(file, file_error::kNone);
  EXPECT_FALSE(api_.bf_write_int32(file, 1));  // opened for reading
  EXPECT_EQ(api_.bf_get_error(file), file_error::kWrite);
  api_.bf_set_error(file, file_error::kNone);
  EXPECT_FALSE(api_.bf_seek(file, -5, file_seek::kStart));
  EXPECT_EQ(api_.bf_read_bytes(file, nullptr, 4, 0), 0);
  api_.bf_free(file);
  EXPECT_EQ(ReadBytes(path), (std::vector<uint8_t>{1, 2}));
}

TEST_F(FilesTest, OpenFailuresShowTheHostsDialogOnlyWhenAsked) {
  const std::string path = folder_.File("missing/twin.txt");
  c4d_file* file = api_.bf_alloc();
  EXPECT_FALSE(api_.bf_open(file, path.c_str(), file_open::kWrite, file_dialog::kNone,
                            byte_order::kLittleEndian, 0, 0));
  EXPECT_FALSE(api_.bf_open(file, path.c_str(), file_open::kWrite, file_dialog::kIgnoreOpen,
                            byte_order::kLittleEndian, 0, 0));
  EXPECT_TRUE(host_.ErrorDialogs().empty());
  EXPECT_FALSE(api_.bf_open(file, path.c_str(), file_open::kWrite, file_dialog::kAny,
                            byte_order::kLittleEndian, 0, 0));
  ASSERT_EQ(host_.ErrorDialogs().size(), 1u);
  EXPECT_NE(host_.ErrorDialogs()[0].find("for writing"), std::string::npos);
  EXPECT_EQ(api_.bf_get_error(file), file_error::kOpen);
  EXPECT_FALSE(api_.bf_open(file, folder_.Utf8Path().c_str(), file_open::kRead, file_dialog::kNone,
                            byte_order::kBigEndian, 0, 0));
  api_.bf_free(file);
}

// The names in a folder as the system's own calls list them, in their order.
std::vector<std::string> SystemListing(const std::string& folder) {
  std::vector<std::string> names;
#ifdef _WIN32
  WIN32_FIND_DATAW entry;
  HANDLE find = ::FindFirstFileW(platform::WideFromUtf8(folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = platform::Utf8FromWide(entry.cFileName);
    if (name != "." && name != "..") names.push_back(name);
  } while (::FindNextFileW(find, &entry));
  ::FindClose(find);
#else
  DIR* raw = ::opendir(folder.c_str());
  while (const dirent* entry = ::readdir(raw)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(raw);
#endif
  return names;
}

// The module sees entries exactly as the file system lists them.
TEST_F(FilesTest, DirectoryEntriesComeInFileSystemOrderWithRawNames) {
  std::vector<std::string> made = {"zeta", "Alpha", "beta", "10", "9", ".hidden", "caf\xC3\xA9"};
#ifndef _WIN32
  made.push_back("raw\xFF");  // not UTF-8: only POSIX names are raw bytes
#endif
  for (int i = 0; i < 40; ++i) made.push_back("pack" + std::to_string(i));
  for (const std::string& name : made) WriteBytes(folder_.File(name), {1, 2, 3});
  ASSERT_TRUE(platform::MakeFolder(folder_.File("Thumbnails")));
  const std::vector<std::string> expected = SystemListing(folder_.Utf8Path());

  std::vector<std::string> seen;
  c4d_dir* dir = api_.dir_alloc();
  api_.dir_init(dir, folder_.Utf8Path().c_str(), 0);
  while (api_.dir_next(dir)) {
    TextCatcher name;
    api_.dir_name(dir, TextCatcher::Sink, &name);
    seen.push_back(name.text);
    EXPECT_EQ(api_.dir_is_dir(dir) != 0, name.text == "Thumbnails") << name.text;
    EXPECT_EQ(api_.dir_is_hidden(dir) != 0, name.text == ".hidden");
    if (name.text == "zeta") {
      EXPECT_EQ(api_.dir_size(dir), 3);
    }
  }
  EXPECT_FALSE(api_.dir_next(dir));
  // Past the end the questions answer for no entry, not the last one.
  EXPECT_EQ(api_.dir_is_dir(dir), 0);
  EXPECT_EQ(api_.dir_size(dir), 0);
  api_.dir_free(dir);
  EXPECT_EQ(seen, expected);
  std::vector<std::string> sorted = seen;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_NE(seen, sorted) << "this file system happens to list sorted; the order check is weak";
}

// The real host lists folders as Windows or macOS do; here the order is a
// host setting, so a module that relies on one order is caught.
class DirectoryOrderTest : public FilesTest {
 protected:
  void SetUp() override {
    for (const char* name : {"b_two", "A_one", "_under", "C_three", "10", "9"}) {
      WriteBytes(folder_.File(name), {1});
    }
#ifndef _WIN32
    WriteBytes(folder_.File("a_One"), {1});  // on Windows the same file as A_one
#endif
    for (int i = 0; i < 30; ++i) WriteBytes(folder_.File("pack" + std::to_string(i)), {1});
  }
  std::vector<std::string> List() {
    std::vector<std::string> seen;
    c4d_dir* dir = api_.dir_alloc();
    api_.dir_init(dir, folder_.Utf8Path().c_str(), 0);
    while (api_.dir_next(dir)) {
      TextCatcher name;
      api_.dir_name(dir, TextCatcher::Sink, &name);
      seen.push_back(name.text);
    }
    api_.dir_free(dir);
    return seen;
  }
  static std::vector<std::string> First(const std::vector<std::string>& names, size_t count) {
    return std::vector<std::string>(names.begin(), names.begin() + count);
  }
};

TEST_F(DirectoryOrderTest, WindowsListsByTheUpperCaseFormAndOtherOrdersFollowTheSetting) {
  host_.SetOperatingSystem(1);  // Windows
  const std::vector<std::string> windows = List();
  // By upper case "A_ONE" < "B_TWO" < "C_THREE" < "PACK0" < "_UNDER" ('_' after
  // the letters); names alike in upper case in byte order.
#ifdef _WIN32
  EXPECT_EQ(First(windows, 5), (std::vector<std::string>{"10", "9", "A_one", "b_two", "C_three"}));
#else
  EXPECT_EQ(First(windows, 6),
            (std::vector<std::string>{"10", "9", "A_one", "a_One", "b_two", "C_three"}));
#endif
  EXPECT_EQ(windows.back(), "_under");

  host_.SetDirOrder(DirOrder::kReverse);
  std::vector<std::string> reverse = List();
  std::reverse(reverse.begin(), reverse.end());
  EXPECT_EQ(reverse, windows);

  host_.SetOperatingSystem(3);
  host_.SetDirOrder(std::nullopt);  // Unix: the file system's own order
  const std::vector<std::string> native = List();
#ifndef _WIN32
  EXPECT_NE(native, windows);  // a Windows file system may list in this order itself
#endif
  EXPECT_TRUE(std::is_permutation(native.begin(), native.end(), windows.begin()));
}

TEST_F(DirectoryOrderTest, ShuffledListingsDifferEachTimeAndRepeatWithTheSeed) {
  host_.SetDirOrder(DirOrder::kShuffle);
  host_.SetSeed(7);
  const std::vector<std::string> first = List();
  const std::vector<std::string> second = List();
  EXPECT_NE(first, second);
  EXPECT_TRUE(std::is_permutation(first.begin(), first.end(), second.begin()));
  host_.SetSeed(7);
  EXPECT_EQ(List(), first);
}

TEST_F(FilesTest, IteratingAMissingOrUninitialisedFolderYieldsNothing) {
  c4d_dir* dir = api_.dir_alloc();
  EXPECT_EQ(api_.dir_is_dir(dir), 0);
  EXPECT_EQ(api_.dir_size(dir), 0);
  EXPECT_FALSE(api_.dir_next(dir));
  api_.dir_init(dir, folder_.File("absent").c_str(), 0);
  EXPECT_FALSE(api_.dir_next(dir));
  api_.dir_init(dir, nullptr, 0);
  EXPECT_FALSE(api_.dir_next(dir));
  api_.dir_free(dir);
}

TEST_F(FilesTest, ExistsTellsFilesFromFolders) {
  const std::string file = folder_.File("file.jpg");
  WriteBytes(file, {0});
  EXPECT_TRUE(api_.exists(file.c_str(), 0));
  EXPECT_FALSE(api_.exists(file.c_str(), 1));
  EXPECT_TRUE(api_.exists(folder_.Utf8Path().c_str(), 1));
  EXPECT_FALSE(api_.exists(folder_.Utf8Path().c_str(), 0));
  EXPECT_FALSE(api_.exists("", 0));
  EXPECT_FALSE(api_.exists(nullptr, 1));
}

TEST_F(FilesTest, SelectionsTakeQueuedAnswersAndCancelWhenNoneIsLeft) {
  host_.QueueSelection("/chosen/library");
  host_.QueueSelectionCancel();
  TextCatcher chosen;
  EXPECT_TRUE(api_.select(0, 2, "Choose the library", "", TextCatcher::Sink, &chosen));
  EXPECT_EQ(chosen.text, "/chosen/library");
  TextCatcher none;
  EXPECT_FALSE(api_.select(0, 2, "Again", "", TextCatcher::Sink, &none));
  EXPECT_FALSE(api_.select(0, 2, "Third", nullptr, TextCatcher::Sink, &none));
  EXPECT_EQ(none.calls, 0);
  EXPECT_EQ(host_.SelectionTitles(),
            (std::vector<std::string>{"Choose the library", "Again", "Third"}));
}

}  // namespace
}  // namespace simhost
