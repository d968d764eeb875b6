// Counts as a person reads them, under the commands' namespace.
#pragma once

#include "text/english_counts.h"

namespace simhost_app {

using lumidrome::Counted;

}  // namespace simhost_app
