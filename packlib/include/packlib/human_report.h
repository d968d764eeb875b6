// The library check as text for a person at a terminal: one table of tiles
// per pack, each problem under what it concerns, and a summary line.
#pragma once

#include <ostream>
#include <string>

#include "packlib/library_model.h"

namespace packlib {

// Names that are not UTF-8, and control characters, show as \xNN.
void WriteHumanReport(const LibraryCheck& library, std::ostream& out);

// "severity [kind]: message", the kind being the finding's stable id.
std::string FindingLine(const Finding& finding);
// Only what needs attention: every finding of the library, its packs and
// their tiles that is not a note or an ignored entry, with its path.
void WriteProblems(const LibraryCheck& library, std::ostream& out);
// "Summary: 3 packs, 10 tiles: ..." without a line end.
std::string SummaryLine(const LibrarySummary& summary);

}  // namespace packlib
