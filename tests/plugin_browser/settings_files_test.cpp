// The remembered library directory: the container file that is read back,
// its plain twin, and every way the remembered folder can be unusable.
#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "browser_fixture.h"
#include "files/file_codes.h"
#include "files/hyperfile.h"
#include "values/value.h"

namespace lumidrome_test {
namespace {

namespace fs = std::filesystem;

const int32_t kSettingsIdent = 234;

// The start of a short path outside the test's own folder, and this
// process's number to make it unique.
#ifdef _WIN32
const std::string kShortPathStart = "C:\\lmd-";
int ProcessNumber() { return _getpid(); }
#else
const std::string kShortPathStart = "/tmp/lmd-";
int ProcessNumber() { return getpid(); }
#endif

std::string FileContent(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The plain twin: a 32-bit little-endian byte count, the text, a zero.
std::string TwinOf(const std::string& text) {
  const uint32_t count = static_cast<uint32_t>(text.size()) + 1;
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((count >> shift) & 0xFF);
  return bytes + text + std::string(1, '\0');
}

class SettingsFiles : public BrowserTest {
 protected:
  SettingsFiles() : chosen_(scratch() / "library") {
    packs().AddPack("01_Default");
    chosen_.AddPack("01_Chosen");
  }
  fs::path hf() const { return res_folder() / "VexaLumidromeRemotePath.hf"; }
  fs::path txt() const { return res_folder() / "VexaLumidromeRemotePath.txt"; }
  TestLibrary& chosen() { return chosen_; }

  // The name of the first pack the browser offers.
  std::string FirstPack(c4d_dialog* browser) { return Entries(browser, kPackChooser)[0].second; }

  // The browser's first pack when it opens now; the window is closed again.
  std::string FirstPackOnOpening() {
    c4d_dialog* browser = Open();
    if (!browser) return "(no window)";
    std::string first = FirstPack(browser);
    Close(browser);
    return first;
  }

  static void WriteSettings(const fs::path& file, int32_t ident, const std::string& folder) {
    simhost::HyperFile out;
    std::string reason;
    ASSERT_TRUE(out.Open(ident, file.u8string(), simhost::file_open::kWrite, &reason)) << reason;
    ASSERT_TRUE(out.Write(simhost::Value::Filename(folder)));
    ASSERT_TRUE(out.Close(&reason)) << reason;
  }

  static std::string ReadSettings(const fs::path& file) {
    simhost::HyperFile in;
    std::string reason;
    simhost::Value folder;
    if (!in.Open(kSettingsIdent, file.u8string(), simhost::file_open::kRead, &reason)) return "";
    in.Read(C4D_VALUE_FILENAME, &folder);
    return folder.Text();
  }

 private:
  TestLibrary chosen_;
};

TEST_P(SettingsFiles, ChosenDirectoryIsRememberedUntilItsFileIsDeleted) {
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(FirstPack(browser), "Default");
  ChangeDirectory(browser, chosen().root());
  EXPECT_EQ(Entries(browser, kPackChooser)[0], std::make_pair(0, std::string("Chosen")));
  EXPECT_EQ(ReadSettings(hf()), chosen().root().u8string());
  const std::string utf8 = chosen().root().u8string();
  EXPECT_EQ(FileContent(txt()), TwinOf(R17() ? utf8 : Latin1Of(utf8)));
  Close(browser);

  // A restart of the host reads the container file back.
  host().Unload();
  Load();
  browser = Open();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(FirstPack(browser), "Chosen");
  ChangeDirectory(browser, packs().root());
  Close(browser);
  EXPECT_EQ(ReadSettings(hf()), packs().root().u8string());
  // The twin is never read: only the container file counts.
  WriteBytes(txt(), TwinOf(chosen().root().u8string()));
  EXPECT_EQ(FirstPackOnOpening(), "Default");

  browser = Open();
  ASSERT_NE(browser, nullptr);
  ChangeDirectory(browser, chosen().root());
  Close(browser);
  EXPECT_EQ(FirstPackOnOpening(), "Chosen");
  fs::remove(hf());
  EXPECT_EQ(FirstPackOnOpening(), "Default");
  ASSERT_TRUE(fs::exists(txt()));
  EXPECT_TRUE(host().Messages().empty());
  EXPECT_TRUE(host().ErrorDialogs().empty());
}

TEST_P(SettingsFiles, DeletedRememberedDirectoryFallsBackToPacksAndStaysInTheFile) {
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  ChangeDirectory(browser, chosen().root());
  Close(browser);
  fs::remove_all(chosen().root());

  browser = Open();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(Entries(browser, kPackChooser)[0], std::make_pair(0, std::string("Default")));
  EXPECT_EQ(Entries(browser, kPackChooser).size(), 7u);
  EXPECT_EQ(ReadSettings(hf()), chosen().root().u8string());
  EXPECT_TRUE(host().Messages().empty());
}

// The twin's byte count covers the text and its zero.
TEST_P(SettingsFiles, PlainTwinOfATwentyCharacterPathIsTwentyFiveBytes) {
  std::string path = kShortPathStart + std::to_string(ProcessNumber()) + "-";
  path += std::string(20 - path.size(), 'x');
  ASSERT_EQ(path.size(), 20u);
  fs::remove_all(PathOf(path));
  // Outside the test's own folder, so removed here whatever happens.
  struct RemovedAtEnd {
    std::string path;
    ~RemovedAtEnd() {
      std::error_code ignored;
      fs::remove_all(PathOf(path), ignored);
    }
  } removed{path};
  TestLibrary library(PathOf(path));
  library.AddPack("01_Short");
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  ChangeDirectory(browser, PathOf(path));
  const std::string bytes = FileContent(txt());
  ASSERT_EQ(bytes.size(), 25u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\x15\0\0\0", 4));
  EXPECT_EQ(bytes.substr(4, 20), path);
  EXPECT_EQ(bytes[24], '\0');
}

// One accented letter: two bytes in UTF-8 (R17 builds), one in the 8-bit
// character set (R14 builds). Either way the folder is found again.
TEST_P(SettingsFiles, AccentedPathIsWrittenInTheBuildsEncodingAndReadBack) {
  TestLibrary accented(scratch() / PathOf("Caf\xC3\xA9"));
  accented.AddPack("01_Accented");
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  ChangeDirectory(browser, accented.root());
  const std::string utf8 = accented.root().u8string();
  EXPECT_EQ(FileContent(txt()), TwinOf(R17() ? utf8 : Latin1Of(utf8)));
  EXPECT_EQ(FirstPack(browser), "Accented");
  Close(browser);
  EXPECT_EQ(ReadSettings(hf()), utf8);
  EXPECT_EQ(FirstPackOnOpening(), "Accented");
}

TEST_P(SettingsFiles, UnusableSettingsFileMeansTheDefaultLibrarySilently) {
  Load();
  const std::string empty;
  const std::string header = "this is not a container file of the host";
  struct Case {
    const char* what;
    std::string bytes;
  };
  for (const Case& c :
       {Case{"empty", empty}, Case{"foreign", header}, Case{"cut short", header.substr(0, 10)}}) {
    WriteBytes(hf(), c.bytes);
    EXPECT_EQ(FirstPackOnOpening(), "Default") << c.what;
  }
  WriteSettings(hf(), kSettingsIdent + 1, chosen().root().u8string());
  EXPECT_EQ(FirstPackOnOpening(), "Default") << "another identification";
  WriteSettings(hf(), kSettingsIdent, (chosen().root() / "missing").u8string());
  EXPECT_EQ(FirstPackOnOpening(), "Default") << "missing folder";
  WriteBytes(chosen().root() / "file.txt", "x");
  WriteSettings(hf(), kSettingsIdent, (chosen().root() / "file.txt").u8string());
  EXPECT_EQ(FirstPackOnOpening(), "Default") << "a file";
  // The same file with the right identification and an existing folder.
  WriteSettings(hf(), kSettingsIdent, chosen().root().u8string());
  EXPECT_EQ(FirstPackOnOpening(), "Chosen");
  EXPECT_TRUE(host().Messages().empty());
  EXPECT_TRUE(host().ErrorDialogs().empty());
}

// The part before the NUL is an existing library, yet the whole path names
// no folder.
TEST_P(SettingsFiles, RememberedPathHoldingANulByteMeansTheDefaultLibrary) {
  Load();
  chosen().AddTile("01_Chosen", "tile");
  WriteSettings(hf(), kSettingsIdent, chosen().root().u8string() + std::string(1, '\0') + "/etc");
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(FirstPack(browser), "Default");
  EXPECT_TRUE(host().Messages().empty());
}

// A cancelled selection, or a file instead of a folder, keeps the earlier
// choice and both files as they were.
TEST_P(SettingsFiles, CancelledOrUnusableSelectionKeepsTheEarlierChoice) {
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  ChangeDirectory(browser, chosen().root());
  const std::string hfBefore = FileContent(hf());
  const std::string txtBefore = FileContent(txt());

  host().QueueSelectionCancel();
  Choose(browser, kPackChooser, kChangeDirectory);
  WriteBytes(scratch() / "plain.txt", "x");
  ChangeDirectory(browser, scratch() / "plain.txt");
  EXPECT_EQ(host().SelectionTitles().size(), 3u);
  EXPECT_EQ(FileContent(hf()), hfBefore);
  EXPECT_EQ(FileContent(txt()), txtBefore);
  Close(browser);
  browser = Open();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(FirstPack(browser), "Chosen");
  EXPECT_EQ(ReadSettings(hf()), chosen().root().u8string());
}

// The twin is opened with the host's error dialog; failing to write it
// shows that dialog and changes nothing else.
TEST_P(SettingsFiles, UnwritableTwinShowsTheHostsErrorAndTheChoiceStillCounts) {
  fs::create_directories(txt());
  Load();
  c4d_dialog* browser = Open();
  ASSERT_NE(browser, nullptr);
  ChangeDirectory(browser, chosen().root());
  EXPECT_EQ(host().ErrorDialogs().size(), 1u);
  EXPECT_TRUE(host().Messages().empty());
  EXPECT_EQ(ReadSettings(hf()), chosen().root().u8string());
  EXPECT_EQ(FirstPack(browser), "Chosen");
  EXPECT_TRUE(fs::is_directory(txt()));
}

INSTANTIATE_TEST_SUITE_P(Builds, SettingsFiles, testing::Values(Build::R17, Build::R14),
                         BuildParamName);

}  // namespace
}  // namespace lumidrome_test
