// The plug-in's entry functions, written by the plug-in and called by the
// c4d_main frame, and the ids of the host's entry messages.
#ifndef C4D_PLUGIN_H__
#define C4D_PLUGIN_H__

#include "c4d_abi_ids.h"
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

// The SDK's names for the numbers of the function table's interface.
#define C4DPL_INIT_SYS C4D_ACTION_INIT
#define C4DPL_INIT C4D_ACTION_START
#define C4DPL_END C4D_ACTION_END
#define C4DPL_INIT_VERSION C4D_ACTION_VERSION
#define C4DPL_MESSAGE C4D_ACTION_MESSAGE

#define C4DMSG_PRIORITY C4D_MESSAGE_PRIORITY
#define C4DPL_STARTACTIVITY C4D_MESSAGE_START_ACTIVITY
#define C4DPL_ENDACTIVITY C4D_MESSAGE_END_ACTIVITY
#define C4DPL_COMMANDLINEARGS C4D_MESSAGE_COMMAND_LINE_ARGS
#define C4DPL_EDITIMAGE C4D_MESSAGE_EDIT_IMAGE
#define C4DPL_BUILDMENU C4D_MESSAGE_BUILD_MENU
#define C4DPL_ENDPROGRAM C4D_MESSAGE_END_PROGRAM
#define C4DPL_PROGRAM_STARTED C4D_MESSAGE_PROGRAM_STARTED
#define C4DPL_VERSION C4D_ANSWER_FRAME_VERSION

#define C4DPL_ERROR C4D_ANSWER_REFUSED
#define C4DPL_ERROR_VERSION C4D_ANSWER_UNUSABLE_HOST
// The SDK's other failure answers; this frame never gives them.
#define C4DPL_ERROR_TYPE -2
#define C4DPL_ERROR_OS -4
#define C4DPL_ERROR_MEM -5

#define C4DPL_INIT_PRIORITY_PLUGINS 0
#define C4DPL_INIT_PRIORITY_MODULES 10000

#endif  // C4D_PLUGIN_H__
