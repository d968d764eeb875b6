// One validation of a plug-in folder: the checks in order, each in a process
// of its own, one line per check and a summary.
#pragma once

#include <ostream>
#include <string>

#include "validate/validation_settings.h"

namespace simhost_app {

struct ValidationRequest {
  ValidationSettings settings;
  bool version_given = false;  // else the host version suits the build found
  std::string only;            // run only checks whose names contain this
  bool keep_files = false;     // keep the scratch folder for a look afterwards
};

// Prints PASS/FAIL/SKIP lines and the summary to out, sanitizer and crash
// reports to err; returns the exit status: 0 when nothing failed, else 1.
int RunValidation(ValidationRequest request, std::ostream& out, std::ostream& err);

}  // namespace simhost_app
