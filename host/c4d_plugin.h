// The plug-in's entry functions, written by the plug-in and called by the
// c4d_main frame, and the ids of the host's entry messages.
#ifndef C4D_PLUGIN_H__
#define C4D_PLUGIN_H__

#include "ge_sys_math.h"

// Registers the plug-in's classes; false fails the start.
Bool PluginStart(void);
void PluginEnd(void);
// True when the message was handled.
Bool PluginMessage(maxon::Int32 id, void* data);
#ifdef C4D_API_R14
// Called while the host builds its menus (C4DPL_BUILDMENU).
void EnhanceMainMenu(void);
#endif

// Answer to C4DMSG_PRIORITY.
#define SetPluginPriority(data, i) (*(static_cast<maxon::Int32*>(data)) = (i))

#define C4DPL_INIT_SYS 1
#define C4DPL_INIT 2
#define C4DPL_END 3
#define C4DPL_INIT_VERSION 4
#define C4DPL_MESSAGE 6

#define C4DMSG_PRIORITY 0
#define C4DPL_STARTACTIVITY 1000
#define C4DPL_ENDACTIVITY 1001
#define C4DPL_COMMANDLINEARGS 1002
#define C4DPL_EDITIMAGE 1003
#define C4DPL_BUILDMENU 1001188
#define C4DPL_ENDPROGRAM 1001084
#define C4DPL_PROGRAM_STARTED 450000215
#define C4DPL_VERSION 0x0005

#define C4DPL_ERROR -1
#define C4DPL_ERROR_TYPE -2
#define C4DPL_ERROR_VERSION -3
#define C4DPL_ERROR_OS -4
#define C4DPL_ERROR_MEM -5

#define C4DPL_INIT_PRIORITY_PLUGINS 0
#define C4DPL_INIT_PRIORITY_MODULES 10000

#endif  // C4D_PLUGIN_H__
