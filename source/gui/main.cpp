// The plug-in's entry functions, called by the host's c4d_main frame.
#include "main.h"

Bool PluginStart() {
  if (!RegisterSubDialog()) return false;
  return RegisterHDRISceneHook();
}

void PluginEnd() {
  // The host destroys the registered command and scene-hook objects itself.
}

#if LUMIDROME_R14
void EnhanceMainMenu() {
  // The command lives in the host's plug-ins menu; nothing to add.
}
#endif

Bool PluginMessage(Int32 id, void* data) {
  (void)data;
  switch (id) {
    case C4DMSG_PRIORITY:
      return true;
    case C4DPL_INIT_SYS:
      return resource.Init();
#if LUMIDROME_R14
    case C4DPL_BUILDMENU:
      EnhanceMainMenu();
      return false;
#endif
    default:
      return false;
  }
}
