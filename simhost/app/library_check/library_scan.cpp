#include "library_check/library_scan.h"

#include <cerrno>
#include <cstring>
#include <map>
#include <set>

#include "files/directory.h"
#include "library_check/browser_naming.h"
#include "library_check/printable_text.h"
#include "library_check/tile_check.h"
#include "platform/platform.h"
#include "text/text_util.h"

namespace simhost_app {

namespace {

// The host browses without caching (its flag 2).
const int32_t kSuppressCaching = 2;

struct Entry {
  std::string name;
  bool is_folder = false;
};

std::vector<Entry> ListFolder(const std::string& folder) {
  std::vector<Entry> entries;
  simhost::DirIterator browser;
  browser.Init(folder, kSuppressCaching);
  while (browser.Next()) entries.push_back(Entry{browser.Name(), browser.IsDir()});
  return entries;
}

std::string Quoted(const std::string& name) { return "\"" + EscapedForTerminal(name) + "\""; }

void Add(std::vector<Finding>* findings, const std::string& kind, Severity severity,
         const std::string& path, const std::string& message) {
  findings->push_back(Finding{kind, severity, path, message, false});
}

// Packs are the folders of the library, apart from ".DS_Store".
bool IsPack(const Entry& entry) { return entry.is_folder && entry.name != ".DS_Store"; }

void ReportNotAPack(const Entry& entry, LibraryCheck* library) {
  std::string what = entry.is_folder ? "a folder named \".DS_Store\"" : "not a folder";
  Add(&library->findings, "not_a_pack", Severity::kIgnored, entry.name,
      Quoted(entry.name) + " is " + what + ", so it is no pack");
}

// Entries of Thumbnails that never become tiles, and why.
void ReportNonTile(const PackPlace& place, const Entry& entry,
                   const std::set<std::string>& tile_names, PackCheck* pack) {
  std::string path = PackRelativePath(place, "Thumbnails", entry.name);
  std::string thumbnail = ThumbnailOfPreview(entry.name);
  if (!thumbnail.empty() && tile_names.count(thumbnail) != 0) return;
  if (!thumbnail.empty()) {
    Add(&pack->findings, "orphan_preview", Severity::kIgnored, path,
        Quoted(entry.name) + " is a smaller preview of " + Quoted(thumbnail) +
            ", which is no tile, so it is never drawn");
  } else {
    Add(&pack->findings, "not_a_tile", Severity::kIgnored, path,
        Quoted(entry.name) + " is never a tile: only names ending in exactly \".jpg\" are");
  }
}

void CheckThumbnails(const PackPlace& place, PackCheck* pack) {
  std::string folder = PackPath(place, "Thumbnails", "");
  std::vector<Entry> entries = ListFolder(folder);
  std::set<std::string> tile_names;
  for (const Entry& entry : entries) {
    if (!IsThumbnailName(entry.name)) continue;
    tile_names.insert(entry.name);
    pack->tiles.push_back(CheckTile(place, entry.name, entry.is_folder));
  }
  for (const Entry& entry : entries) {
    if (tile_names.count(entry.name) == 0) ReportNonTile(place, entry, tile_names, pack);
  }
  std::string reason;
  if (!CanListFolder(folder, &reason)) {
    Add(&pack->findings, "unlistable_thumbnails_folder", Severity::kFallback,
        PackRelativePath(place, "Thumbnails", ""),
        "the Thumbnails folder cannot be listed (" + reason + "): the pack shows no tiles");
  } else if (pack->tiles.empty()) {
    Add(&pack->findings, "no_tiles", Severity::kFallback, PackRelativePath(place, "Thumbnails", ""),
        "no thumbnail in Thumbnails: the pack shows only the add-more tile");
  }
}

// Missing folders of a pack: what that means depends on whether it has tiles.
void CheckPackFolders(const PackPlace& place, PackCheck* pack) {
  if (!pack->thumbnails_folder) {
    Add(&pack->findings, "missing_thumbnails_folder", Severity::kFallback,
        PackRelativePath(place, "Thumbnails", ""),
        "no Thumbnails folder: the pack shows only the add-more tile");
  }
  bool has_tiles = !pack->tiles.empty();
  if (!pack->hdris_folder) {
    Add(&pack->findings, "missing_hdris_folder", has_tiles ? Severity::kBroken : Severity::kNote,
        PackRelativePath(place, "HDRIs", ""),
        std::string("no HDRIs folder: every click on this pack's tiles shows \"") +
            kBrokenAssetMessage + "\"");
  }
  if (!pack->background_folder) {
    Add(&pack->findings, "missing_background_folder",
        has_tiles ? Severity::kFallback : Severity::kNote,
        PackRelativePath(place, "Background", ""),
        "no Background folder: HDRI objects get an empty background");
  }
}

void CheckPackName(PackCheck* pack) {
  if (pack->display_name.empty()) {
    Add(&pack->findings, "empty_display_name", Severity::kNote, pack->folder,
        "nothing follows the first \"_\": the pack chooser shows an empty entry");
  }
  if (!IsValidUtf8(pack->folder)) {
    Add(&pack->findings, "name_not_utf8", Severity::kNote, pack->folder,
        "the name is not UTF-8; its bytes are " + Quoted(pack->folder));
  }
}

PackCheck CheckPack(const std::string& library, const std::string& folder, int index) {
  PackCheck pack;
  pack.index = index;
  pack.folder = folder;
  pack.display_name = PackDisplayName(folder);
  PackPlace place{library, folder, false, false};
  pack.thumbnails_folder = simhost::PathExists(PackPath(place, "Thumbnails", ""), true);
  pack.hdris_folder = place.hdris_folder = simhost::PathExists(PackPath(place, "HDRIs", ""), true);
  pack.background_folder = place.background_folder =
      simhost::PathExists(PackPath(place, "Background", ""), true);
  CheckPackName(&pack);
  if (pack.thumbnails_folder) CheckThumbnails(place, &pack);
  CheckPackFolders(place, &pack);
  return pack;
}

// Two packs whose chooser entries read the same.
void ReportSameDisplayNames(LibraryCheck* library) {
  std::map<std::string, std::string> first_folder;
  for (PackCheck& pack : library->packs) {
    auto inserted = first_folder.emplace(pack.display_name, pack.folder);
    if (inserted.second) continue;
    Add(&pack.findings, "same_display_name", Severity::kNote, pack.folder,
        "the pack chooser shows it as " + Quoted(pack.display_name) + ", like " +
            Quoted(inserted.first->second));
  }
}

// A pack's own folders taken for packs: the folder chosen is one level too deep.
void ReportPackAsLibrary(LibraryCheck* library) {
  std::set<std::string> folders;
  for (const PackCheck& pack : library->packs) folders.insert(pack.folder);
  if (folders.count("Thumbnails") == 0) return;
  if (folders.count("HDRIs") == 0 && folders.count("Background") == 0) return;
  Add(&library->findings, "pack_not_library", Severity::kBroken, "",
      "this folder looks like a pack, not a library: the browser shows its Thumbnails, HDRIs and "
      "Background folders as packs without tiles; choose the folder that holds the pack");
}

void NumberTiles(LibraryCheck* library) {
  int number = 0;
  for (PackCheck& pack : library->packs) {
    for (size_t k = 0; k < pack.tiles.size(); ++k) {
      pack.tiles[k].index = static_cast<int>(k);
      pack.tiles[k].number = number++;
    }
  }
}

}  // namespace

bool CanListFolder(const std::string& folder, std::string* reason) {
  std::string error;
  simhost::platform::ListFolder(folder, &error);
  if (!error.empty()) *reason = error;
  return error.empty();
}

LibraryCheck CheckLibrary(const std::string& folder) {
  LibraryCheck library;
  library.folder = folder;
  for (const Entry& entry : ListFolder(folder)) {
    if (!IsPack(entry)) {
      ReportNotAPack(entry, &library);
      continue;
    }
    library.packs.push_back(CheckPack(folder, entry.name, static_cast<int>(library.packs.size())));
  }
  ReportSameDisplayNames(&library);
  NumberTiles(&library);
  ReportPackAsLibrary(&library);
  if (library.packs.empty()) {
    Add(&library.findings, "no_packs", Severity::kBroken, "",
        "no pack folder: the browser shows only the add-more tile");
  }
  return library;
}

}  // namespace simhost_app
