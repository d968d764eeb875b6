#include "packlib/human_report.h"

#include <algorithm>
#include <string>
#include <vector>

#include "packlib/printable_text.h"
#include "text/english_counts.h"

namespace packlib {

namespace {

using lumidrome::Counted;

const char* const kIndent = "  ";
const char* const kFindingIndent = "      ";

// Table rows, each followed by the lines that explain it.
struct Table {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::vector<std::string>> notes;
  size_t right_aligned = 0;  // so many leading columns are numbers
};

std::string Shown(const std::string& name) { return EscapedForTerminal(name); }

std::string SeverityLabel(Severity severity) {
  std::string label = SeverityName(severity);
  for (char& c : label) {
    if (c == '_') c = ' ';
  }
  return label;
}

std::string Padding(const std::string& cell, size_t width) {
  size_t shown = DisplayWidth(cell);
  return std::string(width > shown ? width - shown : 0, ' ');
}

std::vector<size_t> ColumnWidths(const Table& table) {
  std::vector<size_t> widths;
  for (const std::vector<std::string>& row : table.rows) {
    widths.resize(std::max(widths.size(), row.size()), 0);
    for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], DisplayWidth(row[c]));
  }
  return widths;
}

void WriteRow(const std::vector<std::string>& row, const std::vector<size_t>& widths,
              size_t right_aligned, std::ostream& out) {
  std::string line = kIndent;
  for (size_t c = 0; c < row.size(); ++c) {
    bool last = c + 1 == row.size();
    if (c < right_aligned) line += Padding(row[c], widths[c]) + row[c];
    if (c >= right_aligned) line += row[c] + (last ? "" : Padding(row[c], widths[c]));
    if (!last) line += "  ";
  }
  out << line << '\n';
}

void WriteTable(const Table& table, std::ostream& out) {
  std::vector<size_t> widths = ColumnWidths(table);
  for (size_t r = 0; r < table.rows.size(); ++r) {
    WriteRow(table.rows[r], widths, table.right_aligned, out);
    for (const std::string& note : table.notes[r]) out << kFindingIndent << note << '\n';
  }
}

std::string Found(const FileLookup& file) { return file.exists ? Shown(file.name) : "missing"; }

std::string HdriCell(const TileCheck& tile) {
  if (!tile.hdris_folder) return "no HDRIs folder";
  return tile.hdri_extension.empty() ? "missing" : Shown(tile.hdri.name);
}

std::string SmallHdriCell(const TileCheck& tile) {
  return tile.hdri_extension.empty() ? "-" : Found(tile.small_hdri);
}

std::string StatusCell(const TileCheck& tile) {
  Severity severity = TileSeverity(tile);
  return severity == Severity::kNote ? "fine" : SeverityLabel(severity);
}

std::vector<std::string> TileRow(const TileCheck& tile) {
  return {std::to_string(tile.index),
          std::to_string(tile.number),
          Shown(tile.label),
          Shown(tile.base_name),
          HdriCell(tile),
          SmallHdriCell(tile),
          tile.background.exists ? "yes" : "missing",
          tile.medium_preview.exists ? "yes" : "no",
          tile.small_preview.exists ? "yes" : "no",
          StatusCell(tile)};
}

// Findings that repeat one of the pack's own are said once, for the pack.
std::vector<std::string> TileNotes(const TileCheck& tile) {
  std::vector<std::string> notes;
  for (const Finding& finding : tile.findings) {
    if (!finding.pack_wide) notes.push_back(FindingLine(finding));
  }
  return notes;
}

void WriteTiles(const PackCheck& pack, std::ostream& out) {
  Table table;
  table.right_aligned = 2;
  table.rows.push_back({"tile", "all", "label", "base name", "HDRI", "small HDRI", "background",
                        "md", "sm", "status"});
  table.notes.emplace_back();
  for (const TileCheck& tile : pack.tiles) {
    table.rows.push_back(TileRow(tile));
    table.notes.push_back(TileNotes(tile));
  }
  WriteTable(table, out);
}

void WritePack(const PackCheck& pack, std::ostream& out) {
  out << "\nPack " << pack.index << ": " << Shown(pack.folder) << ", shown as \""
      << Shown(pack.display_name) << "\", " << pack.tiles.size()
      << (pack.tiles.size() == 1 ? " tile\n" : " tiles\n");
  for (const Finding& finding : pack.findings) out << kIndent << FindingLine(finding) << '\n';
  if (!pack.tiles.empty()) WriteTiles(pack, out);
}

bool NeedsAttention(const Finding& finding) {
  return finding.severity != Severity::kNote && finding.severity != Severity::kIgnored;
}

void WriteProblemLines(const std::vector<Finding>& findings, std::ostream& out) {
  for (const Finding& finding : findings) {
    if (NeedsAttention(finding))
      out << kIndent << Shown(finding.path) << ": " << FindingLine(finding) << '\n';
  }
}

std::string HdriCheckLine(const CheckOptions& options) {
  std::string name = HdriCheckName(options);
  if (name == "headers") return "HDRIs: headers and sizes checked, pixels not decoded";
  if (name == "full") return "HDRIs: every pixel decoded";
  return "HDRIs: Radiance files decoded in full, OpenEXR files by their headers only (this build "
         "has no OpenEXR library)";
}

}  // namespace

std::string FindingLine(const Finding& finding) {
  return SeverityLabel(finding.severity) + " [" + finding.kind + "]: " + finding.message;
}

void WriteProblems(const LibraryCheck& library, std::ostream& out) {
  WriteProblemLines(library.findings, out);
  for (const PackCheck& pack : library.packs) {
    WriteProblemLines(pack.findings, out);
    for (const TileCheck& tile : pack.tiles) WriteProblemLines(tile.findings, out);
  }
}

std::string SummaryLine(const LibrarySummary& summary) {
  return "Summary: " + Counted(summary.packs, "pack", "packs") + ", " +
         Counted(summary.tiles, "tile", "tiles") + ": " + std::to_string(summary.fine) + " fine, " +
         std::to_string(summary.broken) + " broken, " +
         std::to_string(summary.broken_in_small_mode) + " broken in small mode, " +
         std::to_string(summary.with_fallbacks) + " with fallbacks only; " +
         Counted(summary.pack_problems, "library and pack problem", "library and pack problems") +
         ", " + Counted(summary.ignored_entries, "ignored entry", "ignored entries") + ", " +
         Counted(summary.notes, "note", "notes");
}

void WriteHumanReport(const LibraryCheck& library, std::ostream& out) {
  out << "Library " << Shown(library.folder) << ": "
      << Counted(static_cast<long long>(library.packs.size()), "pack", "packs")
      << ", in the order the browser lists them; \"all\" numbers the tiles of Show All\n";
  out << kIndent << HdriCheckLine(library.options) << '\n';
  for (const Finding& finding : library.findings) out << kIndent << FindingLine(finding) << '\n';
  for (const PackCheck& pack : library.packs) WritePack(pack, out);
  out << '\n' << SummaryLine(Summarize(library)) << '\n';
}

}  // namespace packlib
