// The library check opens every HDRI and small HDRI a click or a small-mode
// tag would hand to the scene: files cut short, empty or of another kind are
// found by their headers, and with `deep` by decoding every pixel.
#include "packlib/hdri_check.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "library_check_support.h"
#include "packlib/human_report.h"
#include "packlib/json_report.h"
#include "packlib/library_scan.h"
#include "temp_folder.h"
#include "test_library.h"

#ifdef PACKLIB_TEST_HAS_OPENEXR
#include <ImfOutputFile.h>
#include <ImfRgbaFile.h>
#include <ImfTiledRgbaFile.h>
#endif

namespace lumidrome_test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using packlib::CheckHdri;
using packlib::HdriFault;

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The fault and its reason, in one text a failed expectation shows.
std::string Verdict(const fs::path& file, bool deep) {
  packlib::HdriVerdict verdict = CheckHdri(file.u8string(), deep);
  const char* names[] = {"fine", "unreadable", "empty", "undecodable"};
  std::string text = names[static_cast<int>(verdict.fault)];
  return verdict.reason.empty() ? text : text + ": " + verdict.reason;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// A run-length Radiance picture of one colour: each channel of a row is one
// run, or (split) a run and single values.
std::string RunLengthRadiance(int width, int height, bool split) {
  std::string bytes = "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y " + std::to_string(height) +
                      " +X " + std::to_string(width) + "\n";
  for (int y = 0; y < height; ++y) {
    bytes += {'\x02', '\x02', static_cast<char>(width >> 8), static_cast<char>(width & 0xff)};
    for (int channel = 0; channel < 4; ++channel) {
      if (!split) {
        bytes += {static_cast<char>(128 + width), '\x80'};
        continue;
      }
      bytes += {static_cast<char>(128 + width - 2), '\x80', '\x02', '\x80', '\x80'};
    }
  }
  return bytes;
}

class HdriFiles : public testing::Test {
 protected:
  fs::path Write(const std::string& name, const std::string& bytes) {
    fs::path file = folder_.path() / name;
    WriteBytes(file, bytes);
    return file;
  }
  TempFolder folder_;
};

TEST_F(HdriFiles, WellFormedFilesPassBothChecks) {
  for (const fs::path& file :
       {Write("a.hdr", TinyHdri(".hdr", 16, 8)), Write("a.exr", TinyHdri(".exr", 16, 8)),
        Write("rle.hdr", RunLengthRadiance(64, 32, false)),
        Write("split.hdr", RunLengthRadiance(64, 32, true)),
        Write("one.hdr", TinyHdri(".hdr", 1, 1))}) {
    EXPECT_EQ(Verdict(file, false), "fine") << file;
    EXPECT_EQ(Verdict(file, true), "fine") << file;
  }
}

TEST_F(HdriFiles, EmptyGarbageAndMissingFilesAreNamedAsSuch) {
  EXPECT_EQ(Verdict(Write("empty.exr", ""), false), "empty: the file is empty");
  EXPECT_EQ(Verdict(Write("garbage.exr", "garbage"), false),
            "undecodable: neither a Radiance nor an OpenEXR file");
  EXPECT_EQ(Verdict(Write("jpeg.hdr", "\xff\xd8\xff\xe0 a JPEG"), false),
            "undecodable: neither a Radiance nor an OpenEXR file");
  EXPECT_TRUE(StartsWith(Verdict(folder_.path() / "none.hdr", false), "unreadable: "));
  fs::create_directories(folder_.path() / "folder.exr");
  EXPECT_EQ(Verdict(folder_.path() / "folder.exr", false), "unreadable: a folder");
}

TEST_F(HdriFiles, RadianceHeadersMustBeWhole) {
  const std::string good = TinyHdri(".hdr", 16, 8);
  size_t rows = good.find("-Y");
  EXPECT_TRUE(StartsWith(Verdict(Write("cut.hdr", good.substr(0, rows)), false),
                         "undecodable: the file ends before the resolution line"));
  EXPECT_TRUE(StartsWith(Verdict(Write("header.hdr", "#?RADIANCE\nEXPOSURE=1\n"), false),
                         "undecodable: the header does not end"));
  EXPECT_EQ(
      Verdict(Write("format.hdr", "#?RGBE\nFORMAT=32-bit_rle_rgba\n\n-Y 1 +X 1\n...."), false),
      "undecodable: unknown pixel format \"32-bit_rle_rgba\"");
  EXPECT_EQ(Verdict(Write("axes.hdr", "#?RADIANCE\n\n-Y 2 +Y 2\n"), false),
            "undecodable: no resolution line after the header");
  EXPECT_TRUE(StartsWith(Verdict(Write("huge.hdr", "#?RADIANCE\n\n-Y 0 +X 4\n"), false),
                         "undecodable: implausible resolution"));
}

// A file cut among its rows has a whole header: only decoding finds the cut,
// unless too few bytes are left for the rows at all.
TEST_F(HdriFiles, TruncatedRadianceFilesAreFoundByTheirSizeOrByDecoding) {
  const std::string flat = TinyHdri(".hdr", 64, 32);
  const std::string rle = RunLengthRadiance(64, 32, true);
  size_t header = flat.find("+X 64\n") + 6;
  fs::path nearly_empty = Write("rows.hdr", flat.substr(0, header + 40));
  EXPECT_TRUE(StartsWith(Verdict(nearly_empty, false), "undecodable: cut short: 64 x 32 pixels"))
      << Verdict(nearly_empty, false);
  for (const fs::path& file : {Write("flat.hdr", flat.substr(0, flat.size() / 2)),
                               Write("rle.hdr", rle.substr(0, rle.size() - 3))}) {
    EXPECT_EQ(Verdict(file, false), "fine") << file;
    EXPECT_TRUE(StartsWith(Verdict(file, true), "undecodable: the file ends in row "))
        << Verdict(file, true);
  }
}

TEST_F(HdriFiles, RunsThatBreakTheirRowAreUndecodable) {
  std::string rle = RunLengthRadiance(16, 2, false);
  size_t first_run = rle.find("+X 16\n") + 6 + 4;
  std::string past_end = rle;
  past_end[first_run] = static_cast<char>(128 + 17);
  EXPECT_EQ(Verdict(Write("past.hdr", past_end), true),
            "undecodable: a run past the row's end in row 1");
  std::string empty_run = rle;
  empty_run[first_run] = '\0';
  EXPECT_EQ(Verdict(Write("zero.hdr", empty_run), true), "undecodable: an empty run in row 1");
  std::string wrong_width = rle;
  wrong_width[first_run - 1] = '\x20';
  EXPECT_EQ(Verdict(Write("width.hdr", wrong_width), true),
            "undecodable: a row of the wrong width in row 1");
}

TEST_F(HdriFiles, TruncatedOrDamagedExrHeadersAreUndecodable) {
  const std::string good = TinyHdri(".exr", 16, 8);
  size_t window = good.find("dataWindow");
  EXPECT_EQ(Verdict(Write("magic.exr", good.substr(0, 6)), false),
            "undecodable: the file ends inside the version field (needs at least 8 bytes, has 6)");
  EXPECT_EQ(Verdict(Write("header.exr", good.substr(0, window + 25)), false),
            "undecodable: the file ends inside the attribute dataWindow");
  std::string version = good;
  version[4] = '\x03';
  EXPECT_EQ(Verdict(Write("version.exr", version), false),
            "undecodable: an unknown OpenEXR version 3");
  std::string inverted = good;
  // The name, the type, the size, then the left, top and right edges: the
  // right edge far left of the left one.
  inverted[window + 11 + 6 + 4 + 8 + 3] = '\xf0';
  EXPECT_TRUE(StartsWith(Verdict(Write("window.exr", inverted), false),
                         "undecodable: an implausible data window"));
  std::string no_window = good;
  no_window.replace(window, 10, "dataWindoW");
  EXPECT_EQ(Verdict(Write("nowindow.exr", no_window), false),
            "undecodable: the header has no data window");
}

TEST_F(HdriFiles, TruncatedExrFilesAreFoundByTheirOffsets) {
  const std::string good = TinyHdri(".exr", 16, 8);
  size_t table = good.find(std::string("screenWindowWidth\0float\0", 24)) + 24 + 4 + 4 + 1;
  EXPECT_TRUE(StartsWith(Verdict(Write("table.exr", good.substr(0, table + 20)), false),
                         "undecodable: cut short: the offset table of 8 chunks"));
  EXPECT_TRUE(StartsWith(Verdict(Write("half.exr", good.substr(0, good.size() / 2)), false),
                         "undecodable: cut short or incomplete: chunk "));
  EXPECT_TRUE(StartsWith(Verdict(Write("last.exr", good.substr(0, good.size() - 1)), false),
                         "undecodable: cut short: the last chunk needs at least"));
}

// Damaged bytes anywhere end in a fault with a reason or a file that
// decodes: never in a read out of bounds (the sanitizers' builds watch) or a
// huge allocation on the say-so of a header.
TEST_F(HdriFiles, DamagedBytesAreRefusedSafely) {
  uint32_t random = 12345;
  auto next = [&random] { return random = random * 1103515245u + 12345u; };
  for (const char* extension : {".exr", ".hdr"}) {
    const std::string good = extension == std::string(".exr") ? TinyHdri(extension, 16, 8)
                                                              : RunLengthRadiance(16, 8, true);
    for (int round = 0; round < 300; ++round) {
      std::string bytes = good;
      for (int change = 0; change < 1 + round % 4; ++change) {
        bytes[(next() >> 8) % bytes.size()] = static_cast<char>(next() >> 16);
      }
      fs::path file = Write(std::string("damaged") + extension, bytes);
      packlib::HdriVerdict verdict = CheckHdri(file.u8string(), true);
      EXPECT_EQ(verdict.fault == HdriFault::kNone, verdict.reason.empty()) << round;
    }
  }
}

#ifdef PACKLIB_TEST_HAS_OPENEXR

// A gradient, so that compressed chunks keep some size.
void WriteScanlineExr(const fs::path& file, int width, int height, Imf::Compression compression) {
  Imf::Header header(width, height);
  header.compression() = compression;
  std::vector<Imf::Rgba> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.emplace_back(x * 0.01f, y * 0.02f, (x ^ y) * 0.003f);
  }
  Imf::RgbaOutputFile out(file.c_str(), header, Imf::WRITE_RGB);
  out.setFrameBuffer(pixels.data(), 1, static_cast<size_t>(width));
  out.writePixels(height);
}

void WriteTiledExr(const fs::path& file, int width, int height, Imf::LevelMode mode,
                   Imf::LevelRoundingMode rounding) {
  Imf::Header header(width, height);
  std::vector<Imf::Rgba> pixels(static_cast<size_t>(width) * height, Imf::Rgba(1.f, 1.f, 1.f));
  Imf::TiledRgbaOutputFile out(file.c_str(), header, Imf::WRITE_RGB, 16, 8, mode, rounding);
  for (int ly = 0; ly < out.numYLevels(); ++ly) {
    for (int lx = 0; lx < out.numXLevels(); ++lx) {
      if (mode == Imf::MIPMAP_LEVELS && lx != ly) continue;
      out.setFrameBuffer(pixels.data(), 1, static_cast<size_t>(out.levelWidth(lx)));
      out.writeTiles(0, out.numXTiles(lx) - 1, 0, out.numYTiles(ly) - 1, lx, ly);
    }
  }
}

// Files the OpenEXR library wrote, in every compression and tile layout:
// the header check counts their chunks as the library does, and finds the
// last byte cut off.
TEST_F(HdriFiles, ExrFilesOfTheLibraryPassAndTheirTruncationsFail) {
  std::vector<fs::path> files;
  for (Imf::Compression compression :
       {Imf::NO_COMPRESSION, Imf::RLE_COMPRESSION, Imf::ZIPS_COMPRESSION, Imf::ZIP_COMPRESSION,
        Imf::PIZ_COMPRESSION, Imf::PXR24_COMPRESSION, Imf::B44_COMPRESSION, Imf::B44A_COMPRESSION,
        Imf::DWAA_COMPRESSION, Imf::DWAB_COMPRESSION}) {
    files.push_back(folder_.path() / ("scan" + std::to_string(compression) + ".exr"));
    WriteScanlineExr(files.back(), 300, 290, compression);
  }
  for (Imf::LevelMode mode : {Imf::ONE_LEVEL, Imf::MIPMAP_LEVELS, Imf::RIPMAP_LEVELS}) {
    for (Imf::LevelRoundingMode rounding : {Imf::ROUND_DOWN, Imf::ROUND_UP}) {
      files.push_back(folder_.path() /
                      ("tiled" + std::to_string(mode) + std::to_string(rounding) + ".exr"));
      WriteTiledExr(files.back(), 75, 37, mode, rounding);
    }
  }
  for (const fs::path& file : files) {
    EXPECT_EQ(Verdict(file, false), "fine") << file;
    EXPECT_EQ(Verdict(file, true), "fine") << file;
    std::string bytes = Bytes(file);
    fs::path cut = Write("cut.exr", bytes.substr(0, bytes.size() - 1));
    EXPECT_TRUE(StartsWith(Verdict(cut, false), "undecodable: cut short")) << file;
  }
}

TEST_F(HdriFiles, DeepDecodingFindsDamagedPixelData) {
  fs::path file = folder_.path() / "zip.exr";
  WriteScanlineExr(file, 64, 64, Imf::ZIP_COMPRESSION);
  std::string bytes = Bytes(file);
  ASSERT_GT(bytes.size(), 2000u);
  // Inside the last chunk's compressed data, its own header left whole.
  for (size_t i = bytes.size() - 100; i < bytes.size() - 50; ++i) bytes[i] = '\x55';
  fs::path damaged = Write("damaged.exr", bytes);
  EXPECT_EQ(Verdict(damaged, false), "fine");
  EXPECT_TRUE(StartsWith(Verdict(damaged, true), "undecodable: OpenEXR: "))
      << Verdict(damaged, true);
}

#endif

// What a pack author meets: a truncated HDRI, an empty small HDRI and
// garbage named ".exr", each reported under its own kind and path.
TEST(HdriCheck, BrokenHdrisMakeTheirTilesBroken) {
  TempFolder folder;
  TestLibrary library(folder.path());
  library.AddPack("01_World");
  for (const char* name : {"courtyard", "night", "studio", "city"}) {
    TileFiles files;
    files.hdri = ".exr";
    library.AddTile("01_World", name, files);
  }
  const fs::path hdris = folder.path() / "01_World" / "HDRIs";
  const std::string exr = Bytes(hdris / "courtyard.exr");
  WriteBytes(hdris / "courtyard.exr", exr.substr(0, exr.size() / 2));
  WriteBytes(hdris / "night_SM.exr", "");
  WriteBytes(hdris / "studio.exr", "garbage");

  packlib::LibraryCheck check = packlib::CheckLibrary(folder.path().u8string());
  json report = json::parse(packlib::LibraryCheckJson(check).dump());
  EXPECT_EQ(KindsAt(report, "01_World/HDRIs/courtyard.exr"), "undecodable_hdri");
  EXPECT_EQ(KindsAt(report, "01_World/HDRIs/night_SM.exr"), "empty_small_hdri");
  EXPECT_EQ(KindsAt(report, "01_World/HDRIs/studio.exr"), "undecodable_hdri");
  EXPECT_EQ(FindTile(report, "01_World", "courtyard.jpg")->at("status"), "broken");
  EXPECT_EQ(FindTile(report, "01_World", "night.jpg")->at("status"), "broken_in_small_mode");
  EXPECT_EQ(FindTile(report, "01_World", "studio.jpg")->at("status"), "broken");
  EXPECT_EQ(FindTile(report, "01_World", "city.jpg")->at("status"), "fine");
  EXPECT_EQ(report.at("exit_status"), 1);
  EXPECT_EQ(report.at("hdri_check"), "headers");

  std::ostringstream text;
  packlib::WriteHumanReport(check, text);
  EXPECT_NE(text.str().find("broken in small mode [empty_small_hdri]: \"night_SM.exr\" is empty: "
                            "HDRI tags in small mode put a file into the scene that does not "
                            "load"),
            std::string::npos)
      << text.str();
  EXPECT_NE(text.str().find("broken [undecodable_hdri]: \"studio.exr\" does not load (neither a "
                            "Radiance nor an OpenEXR file): a click puts a file into the scene "
                            "that does not load"),
            std::string::npos);
}

// The ".exr" beside a ".hdr" is never opened, so it is not checked either.
TEST(HdriCheck, OnlyTheFilesAClickUsesAreOpened) {
  TempFolder folder;
  TestLibrary library(folder.path());
  library.AddPack("P");
  library.AddTile("P", "Both");
  WriteBytes(folder.path() / "P" / "HDRIs" / "Both.exr", "");
  packlib::CheckOptions deep;
  deep.deep = true;
  json report = json::parse(
      packlib::LibraryCheckJson(packlib::CheckLibrary(folder.path().u8string(), deep)).dump());
  EXPECT_EQ(KindsAt(report, "P/HDRIs/Both.exr"), "exr_never_used");
  EXPECT_EQ(FindTile(report, "P", "Both.jpg")->at("status"), "fine");
  EXPECT_EQ(report.at("hdri_check"), packlib::DecodesExrFully() ? "full" : "full_radiance_only");
}

}  // namespace
}  // namespace lumidrome_test
