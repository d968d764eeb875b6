// What checking a library costs: the whole check (every picture decoded,
// every HDRI's header read) and the HDRI header check alone, against a bare
// walk of the same folders, on 20,000 tiles.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "jpeg_encoder.h"
#include "packlib/hdri_check.h"
#include "packlib/library_scan.h"
#include "ratio_reporter.h"
#include "test_library.h"

namespace lumidrome_bench {
namespace {

namespace fs = std::filesystem;
const int kPacks = 20;

// Each kind of file is written once and linked under every tile's name, so
// 20,000 tiles take seconds to make and no disk space. HDRIs are of a
// common size (the header check reads the offset table of every row).
class LargeLibrary {
 public:
  explicit LargeLibrary(int tiles)
      : root_(fs::temp_directory_path() / ("lumidrome-check-bench-" + std::to_string(getpid()))),
        tiles_(tiles) {
    fs::remove_all(root_);
    WriteOriginals();
    for (int tile = 0; tile < tiles; ++tile) AddTile(tile);
  }
  ~LargeLibrary() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  fs::path library() const { return root_ / "library"; }
  int tiles() const { return tiles_; }
  fs::path Hdri(int tile, const char* suffix) const {
    return library() / PackName(tile) / "HDRIs" / (TileName(tile) + suffix);
  }

 private:
  static std::string PackName(int tile) { return "Pack_" + std::to_string(tile % kPacks); }
  static std::string TileName(int tile) { return "Tile_" + std::to_string(tile); }

  void WriteOriginals() {
    const fs::path originals = root_ / "originals";
    WriteJpeg("thumbnail.jpg", 400, 200);
    WriteJpeg("medium.jpg", 240, 120);
    WriteJpeg("small.jpg", 160, 80);
    WriteJpeg("background.jpg", 64, 32);
    lumidrome_test::WriteBytes(originals / "hdri.exr",
                               lumidrome_test::TinyHdri(".exr", 2048, 1024));
    lumidrome_test::WriteBytes(originals / "small.exr", lumidrome_test::TinyHdri(".exr", 512, 256));
  }
  void WriteJpeg(const char* name, int width, int height) {
    lumidrome_test::WriteBytes(root_ / "originals" / name,
                               imagecodec::EncodeSolidJpeg(width, height, 90, 120, 200));
  }
  void Link(const char* original, const fs::path& file) {
    fs::create_directories(file.parent_path());
    fs::create_hard_link(root_ / "originals" / original, file);
  }
  void AddTile(int tile) {
    const fs::path pack = library() / PackName(tile);
    const std::string name = TileName(tile);
    Link("thumbnail.jpg", pack / "Thumbnails" / (name + ".jpg"));
    Link("medium.jpg", pack / "Thumbnails" / (name + "_md.jpg"));
    Link("small.jpg", pack / "Thumbnails" / (name + "_sm.jpg"));
    Link("background.jpg", pack / "Background" / (name + ".jpg"));
    Link("hdri.exr", pack / "HDRIs" / (name + ".exr"));
    Link("small.exr", pack / "HDRIs" / (name + "_SM.exr"));
  }

  fs::path root_;
  int tiles_;
};

void CountTiles(benchmark::State& state, int tiles) {
  // Shown as seconds per tile.
  state.counters["per_tile"] = benchmark::Counter(
      tiles, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Listing the packs and their Thumbnails folders: what any look at the
// library costs.
void WalkLibraryBaseline(benchmark::State& state) {
  LargeLibrary library(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    int64_t thumbnails = 0;
    for (const fs::directory_entry& pack : fs::directory_iterator(library.library()))
      for (const fs::directory_entry& file : fs::directory_iterator(pack.path() / "Thumbnails"))
        thumbnails += file.path().extension() == ".jpg";
    benchmark::DoNotOptimize(thumbnails);
  }
  CountTiles(state, library.tiles());
}

// Every HDRI and small HDRI opened and its header and offsets read.
void HdriHeaderCheck(benchmark::State& state) {
  LargeLibrary library(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    int faults = 0;
    for (int tile = 0; tile < library.tiles(); ++tile) {
      for (const char* suffix : {".exr", "_SM.exr"}) {
        faults += packlib::CheckHdri(library.Hdri(tile, suffix).u8string(), false).fault !=
                  packlib::HdriFault::kNone;
      }
    }
    if (faults != 0) state.SkipWithError("a well-formed HDRI was reported broken");
  }
  CountTiles(state, library.tiles());
}

// check-library as a pack author runs it (without --deep).
void CheckLibrary(benchmark::State& state) {
  LargeLibrary library(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    packlib::LibraryCheck check = packlib::CheckLibrary(library.library().u8string());
    if (packlib::Summarize(check).fine != library.tiles())
      state.SkipWithError("a tile of a well-formed library was not fine");
  }
  CountTiles(state, library.tiles());
}

// Wall time: waiting for the disk is part of the cost.
BENCHMARK(WalkLibraryBaseline)->Arg(20000)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(HdriHeaderCheck)->Arg(20000)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(CheckLibrary)->Arg(20000)->UseRealTime()->Unit(benchmark::kMillisecond);

const bool kRatiosRegistered = [] {
  CompareWithBaseline("HdriHeaderCheck", "WalkLibraryBaseline");
  CompareWithBaseline("CheckLibrary", "WalkLibraryBaseline");
  return true;
}();

}  // namespace
}  // namespace lumidrome_bench
