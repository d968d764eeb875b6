// An address that faults on any access: handed to the module wherever it
// must not look, so that a look ends the check with a crash instead of
// going unnoticed.
#pragma once

namespace simhost_app {

void* UnreadableAddress();

}  // namespace simhost_app
