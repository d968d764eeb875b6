// What the browser will make of a library: its packs and tiles in browsing
// order, what a click on each tile finds, and what goes wrong on the way.
#pragma once

#include <string>
#include <vector>

namespace packlib {

enum class Severity {
  kBroken,             // every click shows the broken-asset message
  kBrokenInSmallMode,  // the message shows for HDRI tags in small mode
  kFallback,           // something is silently left out or drawn another way
  kIgnored,            // an entry the browser never shows
  kNote,               // worth knowing, changes nothing
};

// Stable names, used in both reports: "broken", "broken_in_small_mode",
// "fallback", "ignored", "note".
const char* SeverityName(Severity severity);

struct Finding {
  std::string kind;  // stable, e.g. "missing_hdri"
  Severity severity = Severity::kNote;
  std::string path;  // relative to the library folder
  std::string message;
  bool pack_wide = false;  // repeats, for one tile, a finding of its pack
};

// One file a click or a drawing looks for, by its name in its folder.
struct FileLookup {
  std::string name;
  bool exists = false;
};

struct TileCheck {
  int index = 0;   // its tile number when its pack is chosen
  int number = 0;  // its tile number in "Show All"
  std::string file;
  std::string label;
  std::string base_name;
  bool hdris_folder = true;
  FileLookup hdri;             // the ".hdr", else the ".exr"
  std::string hdri_extension;  // ".hdr" or ".exr"; empty when none was found
  FileLookup small_hdri;       // only looked for when an HDRI was found
  FileLookup background;
  FileLookup medium_preview;
  FileLookup small_preview;
  std::vector<Finding> findings;
};

struct PackCheck {
  int index = 0;  // the pack chooser's value for it
  std::string folder;
  std::string display_name;
  bool thumbnails_folder = false;
  bool hdris_folder = false;
  bool background_folder = false;
  std::vector<TileCheck> tiles;
  std::vector<Finding> findings;
};

// How far the check reads the HDRIs: their headers and the size the header
// asks of the file, or (deep) every pixel.
struct CheckOptions {
  bool deep = false;
};

// "headers", "full", or "full_radiance_only" where this build cannot
// decode OpenEXR files.
const char* HdriCheckName(const CheckOptions& options);

struct LibraryCheck {
  std::string folder;
  CheckOptions options;
  std::vector<PackCheck> packs;
  std::vector<Finding> findings;  // entries of the library folder itself
};

// The worst of the tile's findings that matter on a click or in drawing;
// kNote when there is none (the tile is fine).
Severity TileSeverity(const TileCheck& tile);
// "fine" or the worst severity's name.
const char* TileStatusName(const TileCheck& tile);

// Tiles are counted by their status, so each under one heading only.
struct LibrarySummary {
  int packs = 0;
  int tiles = 0;
  int fine = 0;
  int broken = 0;
  int broken_in_small_mode = 0;
  int with_fallbacks = 0;
  // Findings of the library folder and of packs (not of one tile) that are
  // broken or fall back, e.g. a library that looks like a pack.
  int pack_problems = 0;
  int pack_broken = 0;  // those of them that are broken
  int ignored_entries = 0;
  int notes = 0;
};

LibrarySummary Summarize(const LibraryCheck& library);

// 1 when a click on some tile can show the broken-asset message, or the
// library or a pack is broken as a whole; else 0.
int CheckExitStatus(const LibrarySummary& summary);

}  // namespace packlib
