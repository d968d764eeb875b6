// How the browser scales with the library: rebuilding the grid of every pack
// against a bare walk of the same folders, and drawing tiles (each draw
// re-reads its JPEG) against decoding that JPEG alone: one tile, and a whole
// window of 60 tiles against decoding their 60 JPEGs.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bitmap.h"
#include "common/plugin_ids.h"
#include "gui/window_system.h"
#include "host.h"
#include "ratio_reporter.h"
#include "test_library.h"

namespace lumidrome_bench {
namespace {

namespace fs = std::filesystem;
using lumidrome_test::TestLibrary;
using lumidrome_test::TileFiles;

using simhost_app::plugin_ids::kBrowserCommand;
using simhost_app::plugin_ids::kFirstTile;
using simhost_app::plugin_ids::kPackChooser;
using simhost_app::plugin_ids::kShowAll;
using simhost_app::plugin_ids::kSizeChooser;
const int kPacks = 10;

// The built plug-in installed in a temporary user folder, its Packs/ holding
// `tiles` tiles spread over ten packs.
class InstalledBrowser {
 public:
  explicit InstalledBrowser(int tiles)
      : root_(fs::temp_directory_path() / ("lumidrome-bench-" + std::to_string(getpid()))) {
    fs::remove_all(root_);
    const fs::path plugin = root_ / "user" / "plugins" / "Lumidrome";
    fs::create_directories(plugin);
    fs::copy(LUMIDROME_R17_FOLDER, plugin, fs::copy_options::recursive);
    fs::remove_all(plugin / "Packs");
    library_ = plugin / "Packs";
    FillLibrary(tiles);
    host_.SetUserFolder((root_ / "user").string());
    if (host_.Load(plugin.string())) Open();
  }
  ~InstalledBrowser() {
    host_.Unload();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  c4d_dialog* dialog() const { return dialog_; }
  simhost::WindowSystem& windows() { return host_.Windows(); }
  const fs::path& library() const { return library_; }
  fs::path FirstMediumPreview() const { return MediumPreview(0); }
  fs::path MediumPreview(int tile) const {
    return library_ / PackName(tile % kPacks) / "Thumbnails" /
           ("Tile_" + std::to_string(tile) + "_md.jpg");
  }

 private:
  void FillLibrary(int tiles) {
    TestLibrary library(library_);
    TileFiles files;
    files.small_hdri = false;
    files.background = false;
    for (int pack = 0; pack < kPacks; ++pack) library.AddPack(PackName(pack));
    for (int tile = 0; tile < tiles; ++tile)
      library.AddTile(PackName(tile % kPacks), "Tile_" + std::to_string(tile), files);
  }
  static std::string PackName(int pack) {
    return std::string("Pack_0") + static_cast<char>('0' + pack);
  }
  void Open() {
    host_.ExecuteCommand(kBrowserCommand, &host_.ActiveDocument());
    dialog_ = host_.Windows().FindOpenDialog(kBrowserCommand);
    if (dialog_) host_.Windows().ChooseComboValue(dialog_, kPackChooser, kShowAll);
  }

  fs::path root_;
  fs::path library_;
  simhost::Host host_;
  c4d_dialog* dialog_ = nullptr;
};

// Writing 10,000 tiles takes seconds, and the framework calls a benchmark
// several times while it settles on an iteration count: the browser of the
// last size asked for is kept, so that each size is installed once and the
// rebuild and its baseline walk the same folders.
std::unique_ptr<InstalledBrowser> kept_browser;
int kept_tiles = -1;

// One installed browser at a time: they share the temporary folder.
void ForgetKeptBrowser() {
  kept_browser.reset();
  kept_tiles = -1;
}

InstalledBrowser& BrowserWith(int tiles) {
  if (!kept_browser || kept_tiles != tiles) {
    ForgetKeptBrowser();
    kept_browser = std::make_unique<InstalledBrowser>(tiles);
    kept_tiles = tiles;
  }
  return *kept_browser;
}

void ListLibraryBaseline(benchmark::State& state) {
  InstalledBrowser& browser = BrowserWith(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    int64_t thumbnails = 0;
    for (const fs::directory_entry& pack : fs::directory_iterator(browser.library()))
      for (const fs::directory_entry& file : fs::directory_iterator(pack.path() / "Thumbnails"))
        thumbnails += file.path().extension() == ".jpg";
    benchmark::DoNotOptimize(thumbnails);
  }
}

// Every size change in Show All lists the library's packs again and
// rebuilds the grid.
void RebuildShowAll(benchmark::State& state) {
  InstalledBrowser& browser = BrowserWith(static_cast<int>(state.range(0)));
  if (!browser.dialog()) return state.SkipWithError("the browser did not open");
  int32_t size = 1;
  for (auto _ : state) {
    size = size == 1 ? 2 : 1;
    browser.windows().ChooseComboValue(browser.dialog(), kSizeChooser, size);
  }
}

void DecodePreviewBaseline(benchmark::State& state) {
  ForgetKeptBrowser();
  InstalledBrowser browser(kPacks);
  const std::string preview = browser.FirstMediumPreview().string();
  for (auto _ : state) {
    simhost::Bitmap bitmap;
    benchmark::DoNotOptimize(bitmap.LoadFile(preview));
  }
}

void DrawMediumTile(benchmark::State& state) {
  ForgetKeptBrowser();
  InstalledBrowser browser(kPacks);
  if (!browser.dialog()) return state.SkipWithError("the browser did not open");
  browser.windows().ChooseComboValue(browser.dialog(), kSizeChooser, 2);
  for (auto _ : state) {
    simhost::Picture picture = browser.windows().RenderUserArea(browser.dialog(), kFirstTile);
    benchmark::DoNotOptimize(picture);
  }
}

constexpr int kScreenTiles = 60;

void DecodeScreenBaseline(benchmark::State& state) {
  ForgetKeptBrowser();
  InstalledBrowser browser(kScreenTiles);
  std::vector<std::string> previews;
  for (int tile = 0; tile < kScreenTiles; ++tile) {
    previews.push_back(browser.MediumPreview(tile).string());
  }
  for (auto _ : state) {
    for (const std::string& preview : previews) {
      simhost::Bitmap bitmap;
      benchmark::DoNotOptimize(bitmap.LoadFile(preview));
    }
  }
}

// Show All at Medium in a window that shows all 60 tiles (5 columns of 12
// rows), pictured as the shot command does.
void ShotFullWindow(benchmark::State& state) {
  ForgetKeptBrowser();
  InstalledBrowser browser(kScreenTiles);
  if (!browser.dialog()) return state.SkipWithError("the browser did not open");
  simhost::WindowSystem& windows = browser.windows();
  windows.Resize(browser.dialog(), 1500, 1900);
  windows.SendCursorInfo(browser.dialog(), 10, 10);
  windows.ChooseComboValue(browser.dialog(), kPackChooser, kShowAll);
  windows.ChooseComboValue(browser.dialog(), kSizeChooser, 2);
  int visible_tiles = 0;
  for (const simhost::VisibleUserArea& area : windows.VisibleUserAreas(browser.dialog())) {
    visible_tiles += area.gadget_id >= kFirstTile && area.visible_height == area.height;
  }
  if (visible_tiles != kScreenTiles) {
    const std::string why = std::to_string(visible_tiles) + " of the tiles are in view";
    return state.SkipWithError(why.c_str());
  }
  for (auto _ : state) {
    simhost::Picture picture = windows.RenderWindow(browser.dialog());
    benchmark::DoNotOptimize(picture);
  }
}

// Each size's baseline runs right before its rebuild, on the same library.
BENCHMARK(ListLibraryBaseline)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(RebuildShowAll)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(ListLibraryBaseline)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(RebuildShowAll)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(ListLibraryBaseline)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(RebuildShowAll)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodePreviewBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(DrawMediumTile)->Unit(benchmark::kMicrosecond);
BENCHMARK(DecodeScreenBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(ShotFullWindow)->Unit(benchmark::kMillisecond);

const bool kRatiosRegistered = [] {
  CompareWithBaseline("RebuildShowAll", "ListLibraryBaseline");
  CompareWithBaseline("DrawMediumTile", "DecodePreviewBaseline");
  CompareWithBaseline("ShotFullWindow", "DecodeScreenBaseline");
  return true;
}();

}  // namespace
}  // namespace lumidrome_bench
