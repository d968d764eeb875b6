// The fake module's own numbers, shared by the module and its tests.
#pragma once

#include <cstdint>

namespace fake_module {

constexpr int32_t kCommand = 1000001;
constexpr int32_t kSceneHook = 1000002;
// A c4d_main action no host sends: the module answers its commands alive
// times 10 plus its hook instances alive.
constexpr int32_t kAliveQuestion = 100;

}  // namespace fake_module
