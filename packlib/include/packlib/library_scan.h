// Walks a library as the browser does and checks every pack and tile.
#pragma once

#include <string>

#include "packlib/library_model.h"

namespace packlib {

// Whether the folder exists and can be listed; else a reason for the user.
bool CanListFolder(const std::string& folder, std::string* reason);

// Packs and tiles stand in the order the host's directory browsing gives.
LibraryCheck CheckLibrary(const std::string& folder, const CheckOptions& options = CheckOptions());

}  // namespace packlib
