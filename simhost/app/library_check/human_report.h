// The library check as text for a person at a terminal: one table of tiles
// per pack, each problem under what it concerns, and a summary line.
#pragma once

#include <ostream>

#include "library_check/library_model.h"

namespace simhost_app {

// Names that are not UTF-8, and control characters, show as \xNN.
void WriteHumanReport(const LibraryCheck& library, std::ostream& out);

}  // namespace simhost_app
