// Counts as a person reads them: "1 tile", "2 tiles" (the stand-in host's
// own helper, under the commands' namespace).
#pragma once

#include "text/text_util.h"

namespace simhost_app {

using simhost::Counted;

}  // namespace simhost_app
