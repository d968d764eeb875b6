// The module's one export, through which the host drives the plug-in.
#ifndef C4D_PMAIN_H__
#define C4D_PMAIN_H__

#include "ge_sys_math.h"

#if defined(_WIN32)
#define C4D_MAIN_EXPORT_ __declspec(dllexport)
#else
#define C4D_MAIN_EXPORT_ __attribute__((visibility("default")))
#endif

// action: 1 system initialisation (p1 the host's table, p3 the module path
// as UTF-8), 2 start, 3 end, 4 interface question, 6 message (p1 the id, p2
// its data).
#define C4D_MAIN \
  C4D_MAIN_EXPORT_ maxon::Int32 c4d_main(maxon::Int32 action, void* p1, void* p2, void* p3)

extern "C" {
C4D_MAIN;
}

#endif  // C4D_PMAIN_H__
