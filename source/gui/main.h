// Registration functions that the start-up calls, command first.
#pragma once

#include "release_compat.h"

Bool RegisterSubDialog();
Bool RegisterHDRISceneHook();
