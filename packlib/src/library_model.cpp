#include "packlib/library_model.h"

#include "packlib/hdri_check.h"

namespace packlib {

namespace {

void CountFinding(const Finding& finding, LibrarySummary* summary) {
  if (finding.severity == Severity::kIgnored) ++summary->ignored_entries;
  if (finding.severity == Severity::kNote) ++summary->notes;
}

void CountTile(const TileCheck& tile, LibrarySummary* summary) {
  ++summary->tiles;
  switch (TileSeverity(tile)) {
    case Severity::kBroken:
      ++summary->broken;
      break;
    case Severity::kBrokenInSmallMode:
      ++summary->broken_in_small_mode;
      break;
    case Severity::kFallback:
      ++summary->with_fallbacks;
      break;
    default:
      ++summary->fine;
      break;
  }
  for (const Finding& finding : tile.findings) CountFinding(finding, summary);
}

// Library and pack findings: their problems count, besides notes and ignored entries.
void CountPackFinding(const Finding& finding, LibrarySummary* summary) {
  CountFinding(finding, summary);
  if (finding.severity == Severity::kIgnored || finding.severity == Severity::kNote) return;
  ++summary->pack_problems;
  if (finding.severity == Severity::kBroken) ++summary->pack_broken;
}

}  // namespace

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::kBroken:
      return "broken";
    case Severity::kBrokenInSmallMode:
      return "broken_in_small_mode";
    case Severity::kFallback:
      return "fallback";
    case Severity::kIgnored:
      return "ignored";
    case Severity::kNote:
      break;
  }
  return "note";
}

const char* HdriCheckName(const CheckOptions& options) {
  if (!options.deep) return "headers";
  return DecodesExrFully() ? "full" : "full_radiance_only";
}

// The enumerators are ordered from worst to mildest.
Severity TileSeverity(const TileCheck& tile) {
  Severity worst = Severity::kNote;
  for (const Finding& finding : tile.findings) {
    if (finding.severity < worst) worst = finding.severity;
  }
  return worst == Severity::kIgnored ? Severity::kNote : worst;
}

const char* TileStatusName(const TileCheck& tile) {
  Severity severity = TileSeverity(tile);
  return severity == Severity::kNote ? "fine" : SeverityName(severity);
}

LibrarySummary Summarize(const LibraryCheck& library) {
  LibrarySummary summary;
  for (const Finding& finding : library.findings) CountPackFinding(finding, &summary);
  for (const PackCheck& pack : library.packs) {
    ++summary.packs;
    for (const Finding& finding : pack.findings) CountPackFinding(finding, &summary);
    for (const TileCheck& tile : pack.tiles) CountTile(tile, &summary);
  }
  return summary;
}

int CheckExitStatus(const LibrarySummary& summary) {
  return summary.broken + summary.broken_in_small_mode + summary.pack_broken > 0 ? 1 : 0;
}

}  // namespace packlib
