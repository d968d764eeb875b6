// The library check as JSON, for tools: the same facts as the text report,
// under keys that stay the same from release to release.
#pragma once

#include <nlohmann/json.hpp>

#include "packlib/library_model.h"

namespace packlib {

// Names are UTF-8 text; a byte that is not part of a UTF-8 character is
// replaced by U+FFFD, and a "name_not_utf8" note gives the name's bytes.
nlohmann::json LibraryCheckJson(const LibraryCheck& library);

}  // namespace packlib
