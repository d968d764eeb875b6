#include "packlib/json_report.h"

#include <string>

#include "packlib/printable_text.h"

namespace packlib {

namespace {

using nlohmann::json;

const char* const kTextEncoding =
    "UTF-8; bytes of names that are not UTF-8 are replaced by U+FFFD, and a name_not_utf8 "
    "note gives such a name's bytes as \\xNN";

std::string Text(const std::string& bytes) { return WithInvalidUtf8Replaced(bytes); }

json FindingJson(const Finding& finding) {
  return json{{"kind", finding.kind},
              {"severity", SeverityName(finding.severity)},
              {"path", Text(finding.path)},
              {"message", Text(finding.message)}};
}

json FindingsJson(const std::vector<Finding>& findings) {
  json list = json::array();
  for (const Finding& finding : findings) list.push_back(FindingJson(finding));
  return list;
}

json FileJson(const FileLookup& file) {
  return json{{"file", Text(file.name)}, {"exists", file.exists}};
}

// The HDRI a click uses, null when it finds none.
json HdriJson(const TileCheck& tile) {
  if (tile.hdri_extension.empty()) return nullptr;
  return json{{"file", Text(tile.hdri.name)}, {"extension", tile.hdri_extension}};
}

json SmallHdriJson(const TileCheck& tile) {
  if (tile.hdri_extension.empty()) return nullptr;
  return FileJson(tile.small_hdri);
}

json TileJson(const TileCheck& tile) {
  return json{
      {"index", tile.index},
      {"number", tile.number},
      {"file", Text(tile.file)},
      {"label", Text(tile.label)},
      {"base_name", Text(tile.base_name)},
      {"status", TileStatusName(tile)},
      {"hdri", HdriJson(tile)},
      {"small_hdri", SmallHdriJson(tile)},
      {"background", FileJson(tile.background)},
      {"previews",
       {{"medium", FileJson(tile.medium_preview)}, {"small", FileJson(tile.small_preview)}}},
      {"findings", FindingsJson(tile.findings)}};
}

json PackJson(const PackCheck& pack) {
  json tiles = json::array();
  for (const TileCheck& tile : pack.tiles) tiles.push_back(TileJson(tile));
  return json{{"index", pack.index},
              {"folder", Text(pack.folder)},
              {"display_name", Text(pack.display_name)},
              {"folders",
               {{"Thumbnails", pack.thumbnails_folder},
                {"HDRIs", pack.hdris_folder},
                {"Background", pack.background_folder}}},
              {"tiles", std::move(tiles)},
              {"findings", FindingsJson(pack.findings)}};
}

json SummaryJson(const LibrarySummary& summary) {
  return json{{"packs", summary.packs},
              {"tiles", summary.tiles},
              {"fine", summary.fine},
              {"broken", summary.broken},
              {"broken_in_small_mode", summary.broken_in_small_mode},
              {"fallback", summary.with_fallbacks},
              {"pack_problems", summary.pack_problems},
              {"ignored_entries", summary.ignored_entries},
              {"notes", summary.notes}};
}

}  // namespace

json LibraryCheckJson(const LibraryCheck& library) {
  json packs = json::array();
  for (const PackCheck& pack : library.packs) packs.push_back(PackJson(pack));
  LibrarySummary summary = Summarize(library);
  return json{{"library", Text(library.folder)},
              {"text_encoding", kTextEncoding},
              {"hdri_check", HdriCheckName(library.options)},
              {"packs", std::move(packs)},
              {"findings", FindingsJson(library.findings)},
              {"summary", SummaryJson(summary)},
              {"exit_status", CheckExitStatus(summary)}};
}

}  // namespace packlib
