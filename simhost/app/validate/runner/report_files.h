// The files CI reads a run's results from (--junit, --json; "-" is standard
// output). Their paths are tried before any check runs, so that a typo
// fails at once instead of after a long run whose results then go nowhere.
#pragma once

#include <ostream>
#include <string>

namespace simhost_app {

// Why a report cannot be written to path, or empty when it can: an empty
// name, a folder, or a folder that is missing or refuses a new file.
std::string ReportFileProblem(const std::string& path);

// Writes text to the file in one step (readers never see half a report), or
// to out for "-"; false, with a line on err, when it cannot.
bool WriteReportFile(const std::string& path, const std::string& text, std::ostream& out,
                     std::ostream& err);

}  // namespace simhost_app
