// The host's function table as the module sees it.
#ifndef OPERATINGSYSTEM_H__
#define OPERATINGSYSTEM_H__

#include "c4d_function_table.h"
#include "ge_sys_math.h"

#ifdef C4D_API_R14
#define API_VERSION 14000
#else
#define API_VERSION 17000
#endif

typedef c4d_function_table OperatingSystem;

// The table the host handed over at system initialisation; stays set even
// when the module refused it. Its first field is the host's interface version.
extern OperatingSystem* t_C4DOS;
#define C4DOS (*t_C4DOS)

// Stores p as the table and returns the host's interface version when the
// table is usable by this build, else 0.
maxon::Int32 InitOS(void* p);

#endif  // OPERATINGSYSTEM_H__
