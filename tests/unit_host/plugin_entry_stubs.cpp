// The host layer's c4d_main frame calls the plug-in's entry functions; these
// tests link the layer without a plug-in.
#include "c4d_plugin.h"

Bool PluginStart(void) { return true; }

void PluginEnd(void) {}

Bool PluginMessage(maxon::Int32 id, void* data) {
  (void)id;
  (void)data;
  return false;
}
